#pragma once

#include <QString>

class SettingsStore;

// The program-wide score variables shared by the main window, the winner
// window and the high-score window. One copy is owned by the application.
struct ScoreVariables
{
    // The name the winner window leaves behind when the player confirms it.
    QString WinnerName;
    // Tells the winner window to ask for a name (a new best time).
    bool GotTopTime = false;
    // The best times in seconds as loaded at the last new game (or after the
    // scores were reset).
    double BestEasy = 0;
    double BestMedium = 0;
    qint16 BestHard = 0;
};

// Loads the three best times from the store; an absent time is 480 seconds.
// A time that its variable cannot hold (only a hand-edited store has one)
// falls back to that default too.
void loadBestTimes(const SettingsStore &store, ScoreVariables &scores);

// The best time that a stored text stands for on a difficulty ("Easy",
// "Medium" or "Hard"), as loadBestTimes reads it.
double storedBestTime(const QString &difficulty, const QString &text);
