#pragma once

#include "game/dialogs.h"

#include <functional>

class GameState;
class QWidget;

// The dialogs of the game as real modal windows over the main window: message
// boxes, the winner, high-score and About windows. When the game is being
// closed on request, nothing waits for the player any more: messages pass
// (a save that failed is on standard error already), questions take their
// default answer and the winner window takes the name typed so far.
class WindowDialogs : public Dialogs
{
public:
    WindowDialogs(GameState &game, QWidget *parent) : m_game(game), m_parent(parent) {}

    // Called before anything waits for the player: the window shows the game
    // as it is and its timers follow it.
    void setBeforeShowing(std::function<void()> beforeShowing) { m_beforeShowing = std::move(beforeShowing); }
    void setClosing(bool closing) { m_closing = closing; }
    // Finishes every open dialog as by its default button.
    static void finishOpenDialogs();

    void tell(Notice notice) override;
    bool confirmReset() override;
    void notSaved(Unsaved what, const SaveFailure &why) override;
    void showWinner() override;
    void showHighScores() override;
    void showAbout() override;

private:
    void beforeShowing();

    GameState &m_game;
    QWidget *m_parent;
    std::function<void()> m_beforeShowing;
    bool m_closing = false;
};
