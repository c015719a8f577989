#pragma once

#include "game/game_state.h"
#include "main_window_layout.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <array>
#include <memory>

class Announcer;
class KeyFilter;
class QTimer;
class WindowDialogs;

// The main window "Game": draws the game's state and turns clicks, keys, menu
// commands and timer ticks into calls of the game's handlers. Its controls are
// built from the layout in main_window_layout.cpp into typed members named
// as in the layout.
class frmMain : public QMainWindow, public GameObserver
{
    Q_OBJECT
public:
    explicit frmMain(GameState &game, QWidget *parent = nullptr);
    ~frmMain() override;

    GameState &game() { return m_game; }
    Dialogs &dialogs();

    // Draws the state of the game: sets what differs from what is shown.
    void render();

    // Called once the window is on the screen: gives it its icon.
    void onScreen();

    // Closes the game as its close box does, whatever waits for the player:
    // every open dialog is finished as by its default button (the winner
    // window with the name typed so far, or "Anonymous"), then the window.
    void closeOnRequest();

    // --- GameObserver ---
    void timersChanged() override;
    void progressChanged() override;
    void dealt() override;

signals:
    void activated();
    // The window is closing and still on the screen; the game's dialogs still
    // answer.
    void closing();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The event handlers of the controls, by the layout's names: each hands
    // what the player did to the game and draws the result.
    void cmdcheck_Click(int index);
    void Form_KeyDown(KeyCommand key);
    void Cmdreset_Click();
    void cmdpause_Click();
    void Opt_Click(const DifficultyLevel &level);
    void CmdOK_Click();
    void cmdCancel_Click();
    void txtlimit_Change(const QString &text);
    void udlimit_Change();
    void Mnuauto_Click();
    void mnuoptions_Click();
    void mnuhighscore_Click();
    void mnuhtp_Click();
    void mnuabout_Click();
    void tmrtime_Timer();
    void tmrauto_Timer();

    void buildControls();
    // Runs a handler of the game and draws the result.
    template <typename Handler> void handle(Handler handler);
    // Runs a handler that may move a tile at the player's request. When a
    // tile has moved and an assistive technology is listening, the focus goes
    // to the tile in its new place, so that the player hears where it went.
    template <typename Handler> void handleMove(Handler handler, bool focusMovedTile);
    void renderCells();
    void renderStatusPanels();
    void renderOptionButtons();
    void showOptionsPanel(bool shown);
    void announce();

    GameState &m_game;
    // The controls of the window, by their layout names.
    MainWindowControls m_ui;
    QWidget *m_client = nullptr;
    QTimer *m_clockTimer = nullptr;
    QTimer *m_autoPlayTimer = nullptr;
    QTimer *m_announceTimer = nullptr;
    std::unique_ptr<WindowDialogs> m_dialogs;
    KeyFilter *m_keys = nullptr;
    Announcer *m_announcer = nullptr;

    bool m_rendering = false;
    // Set once the window is asked to close: its timers stop for good.
    bool m_windowClosing = false;
    // The cell that takes the focus at the next drawing, or -1.
    int m_focusCell = -1;
    // Set while the window draws a move the player asked for (one move more
    // in the same game).
    bool m_playerMove = false;
    bool m_keptInside = false;
    bool m_onScreen = false;
    bool m_limitLabelFitted = false;
    // Deals seen, and what the announcer tells once the window is drawn.
    int m_deals = 0;
    QString m_announcement;
    QElapsedTimer m_progressPainted;
};
