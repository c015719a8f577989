#pragma once

// Helpers shared by the tests of the board, the move requests, the solved
// check, the new game and the main window's lifecycle.

#include "game_probe.h"

#include "game/game_state.h"
#include "game/random_source.h"

#include <QString>
#include <QStringList>

#include <vector>

// Watches the progress bar and the timers while the game works.
class ProgressRecorder : public GameObserver
{
public:
    explicit ProgressRecorder(const GameState &game) : m_game(game) {}

    void progressChanged() override
    {
        values.push_back(probe(m_game).deal.shuffleDone);
        if (!probe(m_game).deal.shuffling)
            ++hiddenWhileCounting;
        if (probe(m_game).deal.shuffleMoves != expectedMax)
            ++wrongRange;
    }
    void timersChanged() override { ++timerChanges; }

    void clear()
    {
        values.clear();
        hiddenWhileCounting = 0;
        wrongRange = 0;
        timerChanges = 0;
    }

    std::vector<int> values;
    int hiddenWhileCounting = 0;
    int wrongRange = 0;
    int timerChanges = 0;
    int expectedMax = 0;

private:
    const GameState &m_game;
};

// A seeded source that also keeps a log of what it was asked for: "seed" for
// every seeding, and each number it handed out.
class RecordingRandom : public RandomSource
{
public:
    explicit RecordingRandom(unsigned long long seed) : m_source(seed) {}
    void seedFromClock() override
    {
        ++seeds;
        events.push_back(-1.0);
    }
    double next() override
    {
        const double r = m_source.next();
        draws.push_back(r);
        events.push_back(r);
        return r;
    }

    int seeds = 0;
    std::vector<double> draws;
    // -1 marks a seeding; every other entry is a number handed out.
    std::vector<double> events;

private:
    SeededRandom m_source;
};

namespace core {

// One text per cell: the tile's number, "_" for the blank.
inline QStringList boardText(const Board &board)
{
    QStringList cells;
    for (int i = 0; i < Board::kCells; ++i)
        cells << (board.tileAt(i) == Board::kBlank ? QStringLiteral("_") : QString::number(board.tileAt(i)));
    return cells;
}
inline QStringList boardText(const GameState &game) { return boardText(probe(game).board.tiles); }

inline int hiddenCell(const GameState &game) { return probe(game).board.tiles.blankCell(); }

// "1" to "15" in cells 0 to 14, the blank in cell 15.
inline bool showsSolvedBoard(const GameState &game) { return probe(game).board.tiles == Board(); }

// The four tile moves by their recorded code: the move itself, where the
// tile comes from counted from the blank (the blank goes there), and the
// number-pad key whose request makes it.
struct TileMove
{
    QStringView code;
    void (GameStateProbe::*move)();
    int tileOffset;
    KeyCommand padKey;
};

inline constexpr TileMove kTileMoves[] = {
    {u"u", &GameStateProbe::moveTileUp, 4, KeyCommand::MoveUp},
    {u"d", &GameStateProbe::moveTileDown, -4, KeyCommand::MoveDown},
    {u"l", &GameStateProbe::moveTileLeft, 1, KeyCommand::MoveLeft},
    {u"r", &GameStateProbe::moveTileRight, -1, KeyCommand::MoveRight},
};

// The tile move of a code; none for any other text.
inline const TileMove *tileMove(QStringView code)
{
    for (const TileMove &m : kTileMoves) {
        if (m.code == code)
            return &m;
    }
    return nullptr;
}

// The move that takes back a recorded one: the same tile back the way it came.
inline const TileMove &undoOf(QStringView code)
{
    const TileMove *made = tileMove(code);
    for (const TileMove &m : kTileMoves) {
        if (made && m.tileOffset == -made->tileOffset)
            return m;
    }
    qFatal("not a move code");
}

inline QString undoCode(QStringView code) { return undoOf(code).code.toString(); }

// The cell a player clicks to take back a recorded move.
inline int cellThatUndoes(int blank, QStringView code) { return blank + undoOf(code).tileOffset; }

// A history has an empty first and last entry and only move codes between.
inline bool wellFormedHistory(const QStringList &history)
{
    if (history.size() < 2 || !history.first().isEmpty() || !history.last().isEmpty())
        return false;
    for (qsizetype i = 1; i + 1 < history.size(); ++i) {
        if (!tileMove(history.at(i)))
            return false;
    }
    return true;
}

// The recorded moves, oldest first, without the empty first and last entry.
inline QStringList recordedMoves(const QStringList &history)
{
    return history.mid(1, history.size() - 2);
}

inline void makeMove(GameState &game, QStringView code)
{
    if (const TileMove *m = tileMove(code))
        (probe(game).*(m->move))();
}

// Takes back every recorded move, newest first, with the tile moves
// themselves. Returns how many of them actually moved a tile.
inline int undoHistory(GameState &game)
{
    const QStringList moves = recordedMoves(historyText(probe(game).board));
    int moved = 0;
    for (qsizetype i = moves.size() - 1; i >= 0; --i) {
        const qsizetype before = historyText(probe(game).board).size();
        makeMove(game, undoOf(moves.at(i)).code);
        if (historyText(probe(game).board).size() == before + 1)
            ++moved;
    }
    return moved;
}

} // namespace core
