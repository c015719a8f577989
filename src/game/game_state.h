#pragma once

#include "board.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

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
    // A new game has been dealt.
    virtual void dealt() {}
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

// The board, the move history, and the result of the last solved check.
struct BoardState
{
    Board tiles;
    // The tile moves made since the deal, the shuffle's included, oldest first.
    std::vector<Board::Slide> moveHistory;
    bool solved = false;
};

// What the next game is dealt with, and how far its shuffle has come.
struct DealState
{
    QString difficulty;
    qint16 shuffleRounds = 0;
    qint16 movesPerRound = 0;
    // Only whether the first activation has happened matters: counts to 1.
    qint16 activationCount = 0;
    // The shuffle under way: moves made of all it will make.
    bool shuffling = false;
    int shuffleMoves = 100;
    int shuffleDone = 0;
};

// The clock of a game. Its counters are held wider than 16 bits so that no
// time limit the store may hold can overflow them.
struct ClockState
{
    qint16 timeLimitMinutes = 0;
    int minutesLeft = 0;
    int secondsLeft = 0;
    int elapsedSeconds = 0;
    // Dealt and waiting for the first move, which starts the clock.
    bool firstMovePending = false;
    // Whether the game is under way: a move was asked for since the deal.
    bool underWay = true;
    bool running = false;
    // What the status bar shows; nothing before the first deal.
    std::optional<ClockReading> reading;
};

struct AutoPlayState
{
    // The game has been played by the auto play: it sets no best time.
    bool used = false;
    // Wider than 16 bits: a history held down for an hour still replays.
    int replayIndex = 0;
    bool stepping = false;
};

// The options panel: the difficulty chosen for the next deal (none: none is
// chosen) and the time limit as typed.
struct OptionsState
{
    const DifficultyLevel *level = nullptr;
    QString limitText = QStringLiteral("20");
};

// The game: its board, deal, clock, auto play, options and phase. It takes
// what the player does through plain methods and tells what happened through
// typed values, so a whole game can be played without any window.
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
    const OptionsState &options() const { return m_options; }
    Phase phase() const { return m_phase; }

    // The main window's load step, with the difficulty and the time limit
    // read from the store: that difficulty chosen in the options, the board
    // laid out solved, the clock stopped.
    void load(const QString &storedDifficulty, qint16 storedLimitMinutes);
    // The main window's activation: the first one deals the first game.
    void activate();

    void clickTile(int index);
    void pressKey(KeyCommand key);
    void tickClock();
    void pressPause();
    void requestReset();
    void startAutoPlay();
    void stepAutoPlay();

    void openOptions();
    // A difficulty chosen in the options panel: proposes its time limit.
    void chooseDifficulty(const DifficultyLevel &level);
    // The player's own edit of the time-limit box (a paste, Delete, a step of
    // its up-down).
    void editTimeLimit(const QString &text);
    void applyOptions();
    void cancelOptions();

    // The how-to-play help and the About window, each with the clock and the
    // auto-play stepper held while it is open.
    void showHowToPlay();
    void showAbout();

private:
    friend struct GameStateProbe;

    // Slides a tile into the blank and records the move when it is made.
    void moveTile(Board::Slide slide);
    // A move asked for by the player or the auto play: starts the clock,
    // moves, and checks whether the board is solved.
    void requestMove(Board::Slide slide);
    void checkSolved();
    // The difficulty chosen in the options becomes the next deal's.
    void readDifficulty();
    void newGame();

    // Chooses the difficulty named exactly `difficulty` in the options; any
    // other text leaves the choice as it is.
    void checkOptionFor(const QString &difficulty);
    void endAutoPlay();
    void recordBestTime(const DifficultyLevel &level);
    // Whether this game's time beats the best time loaded for `level`.
    bool beatsBestTime(const DifficultyLevel &level) const;
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
    OptionsState m_options;
    Phase m_phase = Phase::Playing;

    SettingsStore &m_store;
    ScoreVariables &m_scores;
    RandomSource &m_random;
    Dialogs *m_dialogs = nullptr;
    GameObserver *m_observer = nullptr;
};
