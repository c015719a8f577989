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
    // Each difficulty's best time in seconds, in the difficulty table's order,
    // as loaded at the last new game or reset of the scores.
    std::vector<double> BestTimes;
};
