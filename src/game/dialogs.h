#pragma once

#include "store/save_failure.h"

#include <QString>

// Everything that waits for the player goes through this interface: the main
// window answers with real modal dialogs, tests with scripted answers.
class Dialogs
{
public:
    // The game's messages, each with a single OK button.
    enum class Notice {
        TimeUp,        // the time limit ran out: a new game follows
        GameOver,      // an auto play solved the board
        BetterTime,    // a better time was stored meanwhile: this one is not
        HowToPlay,     // the help
    };
    // What a failed save would have kept: a new best time, the erasing of
    // the scores, or the difficulty and time limit at closing.
    enum class Unsaved { BestTime, Scores, Settings };

    virtual ~Dialogs() = default;

    virtual void tell(Notice notice) = 0;
    // Whether to abandon the game for a new one: true for OK.
    virtual bool confirmReset() = 0;
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
