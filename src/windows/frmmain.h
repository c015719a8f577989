#pragma once

#include "game/dialogs.h"
#include "game/game_state.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <array>

class QAction;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTimer;
class TileButton;
class UpDown;

// The platform's virtual-key code of a key press (number-pad digits only with
// the keypad modifier), or -1 for keys the game has no code for.
int virtualKeyCode(const QKeyEvent &event);

// The main window "Game": draws the game's state and turns clicks, keys, menu
// commands and timer ticks into calls of the game's handlers.
class frmMain : public QMainWindow, public GameObserver, public Dialogs
{
    Q_OBJECT
public:
    explicit frmMain(GameState &game, QWidget *parent = nullptr);
    ~frmMain() override;

    GameState &game() { return m_game; }

    // Draws the state of the game: sets what differs from what is shown.
    void render();

    // --- Dialogs ---
    void message(const QString &text, const QString &title, Icon icon) override;
    bool confirm(const QString &text, const QString &title) override;
    void showWinner() override;
    void showHighScores() override;
    void showAbout() override;
    void showHowToPlay() override;

    // Closes the game as its close box does, whatever waits for the player:
    // every open dialog is finished as by its default button (the winner
    // window with the name typed so far, or "Anonymous"), then the window.
    void closeOnRequest();

    // --- GameObserver ---
    void timersChanged() override;
    void progressChanged() override;

    // The controls, by their names.
    std::array<TileButton *, 16> cmdcheck{};
    QPushButton *cmdpause = nullptr;
    QPushButton *Cmdreset = nullptr;
    QFrame *Shape1 = nullptr;
    QGroupBox *famOptions = nullptr;
    QGroupBox *frdifficulty = nullptr;
    QRadioButton *OptEasy = nullptr;
    QRadioButton *Optmedium = nullptr;
    QRadioButton *Optihard = nullptr;
    QPushButton *CmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtlimit = nullptr;
    UpDown *udlimit = nullptr;
    QProgressBar *pgblength = nullptr;
    QStatusBar *stbtimer = nullptr;
    std::array<QLabel *, 2> stbtimerPanels{};
    QTimer *tmrtime = nullptr;
    QTimer *tmrauto = nullptr;
    QMenu *mnutools = nullptr;
    QAction *Mnuauto = nullptr;
    QAction *mnuoptions = nullptr;
    QAction *mnuhighscore = nullptr;
    QMenu *mnuhlp = nullptr;
    QAction *mnuhtp = nullptr;
    QAction *mnuabout = nullptr;
    QWidget *client = nullptr;

signals:
    void activated();
    void closing();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void buildMenus();
    void setTabOrder();
    // Runs a handler of the game and draws the result.
    template <typename Handler> void handle(Handler handler);
    // Runs a handler that may move a tile at the player's request. When a
    // tile has moved and an assistive technology is listening, the focus goes
    // to the tile in its new place, so that the player hears where it went.
    template <typename Handler> void handleMove(Handler handler, bool focusMovedTile);
    void renderCells();
    // Before anything waits for the player, the window shows the state as it
    // is and its timers follow the game.
    void prepareForDialog();
    bool handleKeyPress(QWidget *receiver, QKeyEvent *event);
    void showOptionsPanel(bool shown);

    void finishOpenDialogs();

    GameState &m_game;
    bool m_rendering = false;
    // The cell that takes the focus at the next drawing, or -1.
    int m_focusCell = -1;
    // Closing on request: nothing more waits for the player.
    bool m_closingOnRequest = false;
    bool m_keptInside = false;
    QElapsedTimer m_progressPainted;
};
