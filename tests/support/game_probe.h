#pragma once

#include "game/difficulty.h"
#include "game/game_state.h"

// The clock in the form "Timer : 9 : 43", empty before the first deal: short
// to compare in the tables.
inline QString clockLine(const ClockState &clock)
{
    const auto &reading = clock.reading;
    return reading ? QStringLiteral("Timer : %1 : %2").arg(reading->minutes).arg(reading->seconds) : QString();
}

// What a cell shows: its tile's number, nothing for the blank.
inline QString tileText(const BoardState &board, int cell)
{
    const int tile = board.tiles.tileAt(cell);
    return tile == Board::kBlank ? QString() : QString::number(tile);
}

// The move history as codes "u", "d", "l", "r" between an empty first and
// last entry: short to compare in the tables.
inline QStringList historyText(const BoardState &board)
{
    QStringList codes{QString()};
    for (Board::Slide slide : board.moveHistory)
        codes << QString(QLatin1Char("udlr"[int(slide)]));
    return codes << QString();
}

// Sets the move history from such codes (empty entries are left out).
inline void setHistory(BoardState &board, const QStringList &codes)
{
    board.moveHistory.clear();
    for (const QString &code : codes) {
        if (!code.isEmpty())
            board.moveHistory.push_back(Board::Slide(QByteArrayView("udlr").indexOf(code.at(0).toLatin1())));
    }
}

// Test access to the whole state of a game, for setting up positions that the
// handlers would take long to reach, and for the steps the handlers share.
struct GameStateProbe
{
    explicit GameStateProbe(GameState &g)
        : board(g.m_board), deal(g.m_deal), clock(g.m_clock), autoPlay(g.m_autoPlay), options(g.m_options),
          phase(g.m_phase), game(g)
    {
    }

    BoardState &board;
    DealState &deal;
    ClockState &clock;
    AutoPlayState &autoPlay;
    OptionsState &options;
    Phase &phase;

    void moveTileUp() { game.moveTile(Board::Slide::Up); }
    void moveTileLeft() { game.moveTile(Board::Slide::Left); }
    void moveTileRight() { game.moveTile(Board::Slide::Right); }
    void moveTileDown() { game.moveTile(Board::Slide::Down); }
    void requestMoveUp() { game.requestMove(Board::Slide::Up); }
    void requestMoveLeft() { game.requestMove(Board::Slide::Left); }
    void checkSolved() { game.checkSolved(); }
    void readDifficulty() { game.readDifficulty(); }
    void newGame() { game.newGame(); }
    void holdTimers() { game.holdTimers(); }
    void releaseTimers() { game.releaseTimers(); }
    void setClockRunning(bool running) { game.setClockRunning(running); }
    void setAutoStepperRunning(bool running) { game.setAutoStepperRunning(running); }

private:
    GameState &game;
};

// The same state, to read.
struct GameStateView
{
    const BoardState &board;
    const DealState &deal;
    const ClockState &clock;
    const AutoPlayState &autoPlay;
    const OptionsState &options;
    Phase phase;
};

inline GameStateProbe probe(GameState &g) { return GameStateProbe(g); }
inline GameStateView probe(const GameState &g)
{
    return {g.board(), g.deal(), g.clock(), g.autoPlay(), g.options(), g.phase()};
}

// The difficulty of that name in the game's table.
inline const DifficultyLevel *level(QStringView name) { return levelNamed(name.toString()); }
