#pragma once

#include <QString>

#include <vector>

// The program-wide score variables shared by the main window, the winner
// window and the high-score window. One copy is owned by the application.
struct ScoreVariables
{
    // The name the winner window leaves behind when the player confirms it.
    QString WinnerName;
    // Tells the winner window to ask for a name (a new best time).
    bool GotTopTime = false;
    // The best time of each difficulty in seconds, in the order of the
    // difficulty table, as loaded at the last new game (or after the scores
    // were reset).
    std::vector<double> BestTimes;
};
