#pragma once

#include "store/save_failure.h"

#include <QString>

// Everything that waits for the player goes through this interface: the main
// window answers with real modal dialogs, tests with scripted answers.
class Dialogs
{
public:
    enum class Icon { None, Information, Warning };
    // What a failed save would have kept: a new best time, the erasing of
    // the scores, or the difficulty and time limit at closing.
    enum class Unsaved { BestTime, Scores, Settings };

    virtual ~Dialogs() = default;

    // A modal message box with a single OK button. A carriage return in the
    // text breaks the line.
    virtual void message(const QString &text, const QString &title, Icon icon) = 0;
    // A modal message box with OK and Cancel and no icon; true for OK.
    virtual bool confirm(const QString &text, const QString &title) = 0;
    // Tells the player that a save failed, and why ("Not Saved").
    virtual void notSaved(Unsaved what, const SaveFailure &why) = 0;
    // The winner window: congratulates, and asks for a name after a new best
    // time; it leaves the confirmed name in the score variables.
    virtual void showWinner() = 0;
    // The high-score window.
    virtual void showHighScores() = 0;
    // The About window.
    virtual void showAbout() = 0;
};
