#pragma once

#include "store/entries.h"

#include <QString>
#include <QStringList>

#include <array>

class Dialogs;
class RandomSource;
class SettingsStore;
struct ScoreVariables;

// Told at once when the game changes what only the window can carry out: the
// running of its timers, and the progress bar while a shuffle runs.
class GameObserver
{
public:
    virtual ~GameObserver() = default;
    virtual void timersChanged() {}
    virtual void progressChanged() {}
};

// One tile cell of the board: its caption and whether it is shown. The hidden
// cell is the blank.
struct Cell
{
    QString caption = QStringLiteral("1");
    bool visible = true;
};

// A command button as far as the game reads and writes it.
struct ButtonState
{
    QString caption;
    QString toolTip;
    bool enabled = true;
};

enum class DifficultyOption { Easy, Medium, Hard, None };

// The whole state of the main window: its variables and every property of its
// controls that the game reads or writes. The window only draws this. The
// handlers are plain methods, so a game can be played without any window.
class GameState
{
public:
    GameState(SettingsStore &store, ScoreVariables &scores, RandomSource &random);

    void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }
    void setObserver(GameObserver *observer) { m_observer = observer; }

    SettingsStore &store() { return m_store; }
    ScoreVariables &scores() { return m_scores; }
    Dialogs &dialogs() { return *m_dialogs; }

    // --- Board and tile moves ----------------------------------------------
    void LocateBlank();
    void MoveUp();
    void MoveLeft();
    void MoveRight();
    void MoveDown();
    // Lays the board out solved: captions "1" to "16", cell 15 hidden.
    void LabelCells();
    // Checks the option button whose difficulty is exactly `difficulty`; any
    // other text leaves the buttons as they are.
    void checkOptionFor(const QString &difficulty);

    // --- Move requests from clicks and keys -----------------------------------
    void cmdcheck_Click(int index);
    void Form_KeyDown(int keyCode);
    void RequestMoveUp();
    void RequestMoveDown();
    void RequestMoveLeft();
    void RequestMoveRight();

    // --- Solved check and game over ------------------------------------------
    void CheckSolved();

    // --- New game --------------------------------------------------------------
    void ReadDifficulty();
    void NewGame();

    // --- Clock -----------------------------------------------------------------
    void tmrtime_Timer();
    // The clock text of the status bar for the given minutes and seconds.
    static QString clockText(int minutes, int seconds);
    // Stops both timers while a message or the About window waits; afterwards
    // restarts the clock when a game runs normally and the stepper when an
    // auto play is in progress.
    void holdTimers();
    void releaseTimers();

    // --- Pause and reset ---------------------------------------------------------
    void cmdpause_Click();
    void Cmdreset_Click();

    // --- Auto play ---------------------------------------------------------------
    void Mnuauto_Click();
    void tmrauto_Timer();

    // --- Controls ------------------------------------------------------------------
    void setClockRunning(bool running);
    void setAutoStepperRunning(bool running);
    void setProgress(int value);

    // --- Main-window variables -------------------------------------------------
    std::array<Cell, 16> cmdcheck;
    // The hidden cell as last found by LocateBlank.
    qint16 BlankIndex = 0;
    QStringList MoveHistory{QString(), QString()};
    QString Difficulty;
    qint16 ShuffleRounds = 0;
    qint16 MovesPerRound = 0;
    qint16 TimeLimitMinutes = 0;
    // The counters of the clock are held wider than 16 bits so that no time
    // limit the store may hold can overflow them.
    int MinutesLeft = 0;
    int SecondsLeft = 0;
    int ElapsedSeconds = 0;
    bool FirstMovePending = false;
    // Only whether the first activation has happened matters: counts to 1.
    qint16 ActivationCount = 0;
    bool BoardActive = true;
    bool Solved = false;
    bool AutoPlayRunning = false;
    bool AutoPlayUsed = false;
    // Wider than 16 bits: a history held down for an hour still replays.
    int ReplayIndex = 0;

    // --- Controls of the main window -------------------------------------------------
    ButtonState cmdpause{QStringLiteral("Pause"), QStringLiteral("Pause Game"), true};
    ButtonState Cmdreset{QStringLiteral("Reset"), QStringLiteral("Reset Game"), true};
    bool mnutoolsEnabled = true;
    bool tmrtimeEnabled = false;
    bool tmrautoEnabled = false;
    DifficultyOption checkedOption = DifficultyOption::Easy;
    QString txtlimit = QStringLiteral("20");
    bool famOptionsVisible = false;
    bool stbtimerVisible = true;
    std::array<QString, 2> stbtimerPanels;
    bool pgblengthVisible = false;
    int pgblengthMin = 0;
    int pgblengthMax = 100;
    int pgblengthValue = 0;
    // Outer height of the main window in twips: 4275 normally, 3285 while the
    // options panel is open.
    int windowHeightTwips = 4275;

private:
    // The shared steps of the four guarded move requests.
    template <typename Move> void guardedRequest(Move move);
    void moveTile(int neighbour, const QString &code);
    void endAutoPlay();
    void recordBestTime(const QString &key);

    SettingsStore &m_store;
    ScoreVariables &m_scores;
    RandomSource &m_random;
    Dialogs *m_dialogs = nullptr;
    GameObserver *m_observer = nullptr;
};
