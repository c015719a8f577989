#pragma once

#include "board.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class Dialogs;
class RandomSource;
class SettingsStore;
struct DifficultyLevel;
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

// The board, the move history, and the result of the last solved check.
struct BoardState
{
    Board tiles;
    // The codes of the tile moves since the last new game; the first and the
    // last entry are always empty.
    QStringList MoveHistory{QString(), QString()};
    // The result of the last solved check.
    bool Solved = false;
};

// What the next game is dealt with.
struct DealState
{
    QString Difficulty;
    qint16 ShuffleRounds = 0;
    qint16 MovesPerRound = 0;
    // Only whether the first activation has happened matters: counts to 1.
    qint16 ActivationCount = 0;
};

// The clock of a game. Its counters are held wider than 16 bits so that no
// time limit the store may hold can overflow them.
struct ClockState
{
    qint16 TimeLimitMinutes = 0;
    int MinutesLeft = 0;
    int SecondsLeft = 0;
    int ElapsedSeconds = 0;
    bool FirstMovePending = false;
};

struct AutoPlayState
{
    bool AutoPlayUsed = false;
    // Wider than 16 bits: a history held down for an hour still replays.
    int ReplayIndex = 0;
};

// Where the game stands, as far as the player may act on it.
enum class Phase {
    Playing,  // the board takes moves; the clock runs from the first one
    Paused,   // the clock, the board, Reset and the Tools menu wait for Resume
    AutoPlay, // the game undoes its moves, one every half second
    Options,  // the options panel is open over the board
};

// A reading of the clock: minutes and seconds as the status bar shows them.
struct ClockReading
{
    int minutes = 0;
    int seconds = 0;
    bool operator==(const ClockReading &) const = default;
};

// The keys the game answers while the board takes keys.
enum class KeyCommand { MoveUp, MoveDown, MoveLeft, MoveRight, Help };

// The controls of the main window as far as the game reads and writes them.
struct ControlsState
{
    // Whether the game is under way: a move was asked for since the deal.
    struct { bool enabled = true; } cmdpause;
    struct { bool enabled = false; } tmrtime;
    struct { bool enabled = false; } tmrauto;
    // The difficulty whose option button is checked (none: no button).
    const DifficultyLevel *checkedOption = nullptr;
    struct { QString text = QStringLiteral("20"); } txtlimit;
    // The clock and the difficulty of the game; nothing before the first deal.
    struct
    {
        std::optional<ClockReading> clock;
        QString difficulty;
    } stbtimer;
    struct
    {
        bool visible = false;
        int minimum = 0;
        int maximum = 100;
        int value = 0;
    } pgblength;
};

// The whole state of the main window: its variables and every property of its
// controls that the game reads or writes. The window only draws this and
// calls the handlers, which are plain methods, so a game can be played without
// any window.
class GameState
{
public:
    GameState(SettingsStore &store, ScoreVariables &scores, RandomSource &random);

    void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }
    Dialogs *dialogs() const { return m_dialogs; }
    void setObserver(GameObserver *observer) { m_observer = observer; }

    SettingsStore &store() { return m_store; }
    ScoreVariables &scores() { return m_scores; }

    const BoardState &board() const { return m_board; }
    const DealState &deal() const { return m_deal; }
    const ClockState &clock() const { return m_clock; }
    const AutoPlayState &autoPlay() const { return m_autoPlay; }
    const ControlsState &controls() const { return m_controls; }
    Phase phase() const { return m_phase; }

    // --- Start-up --------------------------------------------------------------
    // The main window's load step, with the difficulty and the time limit
    // read from the store: the option button of that difficulty, the board
    // laid out solved, the clock stopped.
    void load(const QString &storedDifficulty, qint16 storedLimitMinutes);
    // The main window's activation: the first one deals the first game.
    void activate();

    // --- Board and tile moves ----------------------------------------------------
    void moveTileUp();
    void moveTileLeft();
    void moveTileRight();
    void moveTileDown();

    // --- Move requests from clicks and keys -------------------------------------
    void clickTile(int index);
    void pressKey(KeyCommand key);
    void requestMoveUp();
    void requestMoveDown();
    void requestMoveLeft();
    void requestMoveRight();

    // --- Solved check and game over ----------------------------------------------
    void checkSolved();

    // --- New game ------------------------------------------------------------------
    void readDifficulty();
    void newGame();

    // --- Clock ---------------------------------------------------------------------
    void tickClock();

    // --- Pause and reset -----------------------------------------------------------
    void pressPause();
    void requestReset();

    // --- Auto play -----------------------------------------------------------------
    void startAutoPlay();
    void stepAutoPlay();

    // --- Options panel -------------------------------------------------------------
    void openOptions();
    // An option button: proposes its difficulty's time limit.
    void chooseDifficulty(const DifficultyLevel &level);
    // The player's own edit of the time-limit box (a paste, Delete, a step of
    // its up-down).
    void editTimeLimit(const QString &text);
    void applyOptions();
    void cancelOptions();

    // --- Help and About --------------------------------------------------------------
    // The how-to-play help and the About window, each with the clock and the
    // auto-play stepper held while it is open.
    void showHowToPlay();
    void showAbout();

private:
    friend struct GameStateProbe;

    // Checks the option button whose difficulty is exactly `difficulty`; any
    // other text leaves the buttons as they are.
    void checkOptionFor(const QString &difficulty);
    // The shared steps of the four guarded move requests.
    template <typename Move> void guardedRequest(Move move);
    // Slides a tile into the blank and records the move under `code`.
    void moveTile(Board::Slide slide, const QString &code);
    void endAutoPlay();
    void recordBestTime(const DifficultyLevel &level);
    // Stops both timers while a message or the About window waits; afterwards
    // restarts the clock when a game runs normally and the stepper when an
    // auto play is in progress.
    void holdTimers();
    void releaseTimers();
    void setClockRunning(bool running);
    void setAutoStepperRunning(bool running);
    void setProgress(int value);

    BoardState m_board;
    DealState m_deal;
    ClockState m_clock;
    AutoPlayState m_autoPlay;
    ControlsState m_controls;
    Phase m_phase = Phase::Playing;

    SettingsStore &m_store;
    ScoreVariables &m_scores;
    RandomSource &m_random;
    Dialogs *m_dialogs = nullptr;
    GameObserver *m_observer = nullptr;
};
