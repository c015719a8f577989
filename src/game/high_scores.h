#pragma once

#include <QString>

#include <vector>

class SettingsStore;
struct SaveResult;
struct ScoreVariables;

// Loads the best time of every difficulty from the store into the score
// variables; an absent time is the default best time.
void loadBestTimes(const SettingsStore &store, ScoreVariables &scores);

// The display form of a best time in seconds: minutes, a colon, seconds, with
// no blanks and no leading zeros (75 shows as 1:15).
QString ScoreTimeText(qint16 seconds);

// One row of the high-score window.
struct HighScoreRow
{
    QString name;
    QString time;
};

// A row for every difficulty, as the store holds them now (another copy of the
// game may have stored a record since this one read the file).
std::vector<HighScoreRow> loadHighScores(SettingsStore &store);

// Erases every best time and name (and with the times the stored time limit,
// which the main window writes back when it closes), and reloads the best
// times in force: the default once erased. Both sections go in one save; a
// save that fails leaves the times as the file holds them, and says why.
SaveResult resetScores(SettingsStore &store, ScoreVariables &scores);
