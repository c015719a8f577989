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
        values.push_back(probe(m_game).controls.pgblength.value);
        if (!probe(m_game).controls.pgblength.visible)
            ++hiddenWhileCounting;
        if (probe(m_game).controls.pgblength.minimum != 0 || probe(m_game).controls.pgblength.maximum != expectedMax)
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

// One text per cell: the caption, in brackets when the cell is hidden.
inline QStringList boardText(const GameState &game)
{
    QStringList cells;
    for (const Cell &cell : probe(game).board.cmdcheck)
        cells << (cell.visible ? cell.caption : QStringLiteral("[%1]").arg(cell.caption));
    return cells;
}

inline int hiddenCount(const GameState &game)
{
    int hidden = 0;
    for (const Cell &cell : probe(game).board.cmdcheck)
        hidden += cell.visible ? 0 : 1;
    return hidden;
}

inline int hiddenCell(const GameState &game)
{
    for (int i = 0; i < 16; ++i) {
        if (!probe(game).board.cmdcheck[i].visible)
            return i;
    }
    return -1;
}

// "1" to "15" shown in cells 0 to 14, cell 15 hidden.
inline bool showsSolvedBoard(const GameState &game)
{
    for (int i = 0; i < 15; ++i) {
        if (!probe(game).board.cmdcheck[i].visible || probe(game).board.cmdcheck[i].caption != QString::number(i + 1))
            return false;
    }
    return !probe(game).board.cmdcheck[15].visible;
}

// A history has an empty first and last entry and only move codes between.
inline bool wellFormedHistory(const QStringList &history)
{
    if (history.size() < 2 || !history.first().isEmpty() || !history.last().isEmpty())
        return false;
    for (qsizetype i = 1; i + 1 < history.size(); ++i) {
        const QString &code = history.at(i);
        if (code != u"u" && code != u"d" && code != u"l" && code != u"r")
            return false;
    }
    return true;
}

// The recorded moves, oldest first, without the empty first and last entry.
inline QStringList recordedMoves(const QStringList &history)
{
    return history.mid(1, history.size() - 2);
}

inline void makeMove(GameState &game, const QString &code)
{
    if (code == u"u")
        game.MoveUp();
    else if (code == u"d")
        game.MoveDown();
    else if (code == u"l")
        game.MoveLeft();
    else if (code == u"r")
        game.MoveRight();
}

// The tile move that takes back a recorded one.
inline QString undoCode(const QString &code)
{
    if (code == u"u")
        return QStringLiteral("d");
    if (code == u"d")
        return QStringLiteral("u");
    if (code == u"l")
        return QStringLiteral("r");
    if (code == u"r")
        return QStringLiteral("l");
    return QString();
}

// The cell a player clicks to take back a recorded move: the tile that moved
// now stands next to the blank on the side the blank came from.
inline int cellThatUndoes(int blank, const QString &code)
{
    if (code == u"u")
        return blank - 4; // the tile went up: bring it down again
    if (code == u"d")
        return blank + 4;
    if (code == u"l")
        return blank - 1;
    if (code == u"r")
        return blank + 1;
    return -1;
}

// Takes back every recorded move, newest first, with the tile moves
// themselves. Returns how many of them actually moved a tile.
inline int undoHistory(GameState &game)
{
    const QStringList moves = recordedMoves(probe(game).board.MoveHistory);
    int moved = 0;
    for (qsizetype i = moves.size() - 1; i >= 0; --i) {
        const qsizetype before = probe(game).board.MoveHistory.size();
        makeMove(game, undoCode(moves.at(i)));
        if (probe(game).board.MoveHistory.size() == before + 1)
            ++moved;
    }
    return moved;
}

} // namespace core
