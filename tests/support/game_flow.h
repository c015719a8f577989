#pragma once

// Helpers for the game-flow tests: making player moves that keep the game
// going, delivering timer ticks the way the window does (only while the game
// has the timer running), and snapshots of the state for "nothing else
// changed" checks.

#include "core_helpers.h"
#include "game_fixture.h"

#include "game/game_state.h"
#include "store/entries.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdlib>

namespace flow {

// The situations in which the pause button, Reset and the timer hold are
// tried. Each is reached through the handlers a player would use.
enum class Situation {
    BeforeFirstMove,         // dealt, no move yet: clock primed, pause disabled
    Running,                 // first move made, a few seconds played
    Paused,                  // Running, then Pause
    AutoPlay,                // Running, then Auto Play and a few of its steps
    AutoPlayBeforeFirstMove, // Auto Play started on a fresh board, no step yet
    StoppedAutoPlay,         // AutoPlay, then Stop
    ResetDuringAutoPlay,     // AutoPlay, then Reset confirmed
    OptionsOpen,             // Running, then the options panel opened
};


// Scripts the directions of the next shuffle: '1' left, '2' right, '3' down,
// '4' up (one random number each).
inline void scriptShuffle(GameFixture &fx, const QString &directions)
{
    for (const QChar c : directions)
        fx.random.values.push_back((c.digitValue() - 1) / 4.0 + 0.1);
}

// Clicks a tile next to the blank whose move does not solve the board and
// returns the move code that the click records; empty when no tile could be
// clicked.
inline QString playerMove(GameFixture &fx)
{
    const Board &board = probe(fx.game).board.tiles;
    const int blank = board.blankCell();
    for (const core::TileMove &m : core::kTileMoves) {
        const int tile = blank + m.tileOffset;
        // A tile beside the blank is in its row.
        if (blank < 0 || tile < 0 || tile > 15 || (std::abs(m.tileOffset) == 1 && tile / 4 != blank / 4))
            continue;
        std::array<int, Board::kCells> after;
        for (int i = 0; i < Board::kCells; ++i)
            after[i] = board.tileAt(i);
        std::swap(after[blank], after[tile]);
        if (Board(after).isSolved())
            continue;
        fx.game.clickTile(tile);
        return m.code.toString();
    }
    return QString();
}

// `seconds` seconds of wall time: the window delivers a clock tick only while
// the clock runs. Returns the number of ticks delivered.
inline int clockSeconds(GameFixture &fx, int seconds)
{
    int delivered = 0;
    for (int i = 0; i < seconds; ++i) {
        if (probe(fx.game).clock.running) {
            fx.game.tickClock();
            ++delivered;
        }
    }
    return delivered;
}

// `count` half-second periods: an auto-play step is delivered only while the
// stepper runs. Returns the number of steps delivered.
inline int autoSteps(GameFixture &fx, int count)
{
    int delivered = 0;
    for (int i = 0; i < count; ++i) {
        if (probe(fx.game).autoPlay.stepping) {
            fx.game.stepAutoPlay();
            ++delivered;
        }
    }
    return delivered;
}

// Lets a running auto play go on until it ends, with one clock tick for every
// two steps, as both timers would deliver them. Returns the number of steps;
// gives up after `maxSteps`.
inline int runAutoPlay(GameFixture &fx, int maxSteps, bool withClock = true)
{
    int steps = 0;
    while (probe(fx.game).autoPlay.stepping && steps < maxSteps) {
        fx.game.stepAutoPlay();
        ++steps;
        if (withClock && steps % 2 == 0 && probe(fx.game).clock.running)
            fx.game.tickClock();
    }
    return steps;
}

inline QString yesNo(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

// The board, the history, the clock counters and what the status bar shows.
inline QStringList boardAndClock(const GameState &g)
{
    QStringList lines;
    lines << QStringLiteral("cells=") + core::boardText(g).join(QLatin1Char(','));
    lines << QStringLiteral("history=") + historyText(probe(g).board).join(QLatin1Char(','));
    lines << QStringLiteral("MinutesLeft=%1").arg(probe(g).clock.minutesLeft);
    lines << QStringLiteral("SecondsLeft=%1").arg(probe(g).clock.secondsLeft);
    lines << QStringLiteral("ElapsedSeconds=%1").arg(probe(g).clock.elapsedSeconds);
    lines << QStringLiteral("panel1=") + clockLine(probe(g).clock);
    lines << QStringLiteral("panel2=") + probe(g).deal.difficulty;
    lines << QStringLiteral("FirstMovePending=") + yesNo(probe(g).clock.firstMovePending);
    lines << QStringLiteral("ReplayIndex=%1").arg(probe(g).autoPlay.replayIndex);
    lines << QStringLiteral("AutoPlayUsed=") + yesNo(probe(g).autoPlay.used);
    lines << QStringLiteral("Solved=") + yesNo(probe(g).board.solved);
    lines << QStringLiteral("Difficulty=") + probe(g).deal.difficulty;
    return lines;
}

inline QString phaseName(Phase phase)
{
    return phase == Phase::Playing  ? QStringLiteral("Playing")
         : phase == Phase::Paused   ? QStringLiteral("Paused")
         : phase == Phase::AutoPlay ? QStringLiteral("AutoPlay")
                                    : QStringLiteral("Options");
}

// The phase and whether the game is under way.
inline QStringList controls(const GameState &g)
{
    return {
        QStringLiteral("phase=") + phaseName(probe(g).phase),
        QStringLiteral("underWay=") + yesNo(probe(g).clock.underWay),
    };
}

inline QStringList timers(const GameState &g)
{
    return {QStringLiteral("clock=") + yesNo(probe(g).clock.running),
            QStringLiteral("stepping=") + yesNo(probe(g).autoPlay.stepping)};
}

inline QStringList everything(const GameState &g)
{
    return boardAndClock(g) + controls(g) + timers(g);
}

// True when no best time and no winner's name has been written.
inline bool nothingStored(GameFixture &fx)
{
    const QString none = QStringLiteral("<none>");
    for (const char *section : {"Times", "Names"}) {
        for (const char *key : {"Easy", "Medium", "Hard"}) {
            if (fx.store.read(kApplication, QLatin1String(section), QLatin1String(key), none) != none)
                return false;
        }
    }
    return true;
}

// Brings a freshly made fixture into `situation`. Returns false when the
// seeded game did not allow it (a step solved the board on the way).
inline bool enter(GameFixture &fx, Situation situation)
{
    dealGame(fx);
    if (situation == Situation::BeforeFirstMove)
        return true;
    if (situation == Situation::AutoPlayBeforeFirstMove) {
        fx.game.startAutoPlay();
        return true;
    }
    if (playerMove(fx).isEmpty())
        return false;
    clockSeconds(fx, 5);
    switch (situation) {
    case Situation::Running:
        return true;
    case Situation::Paused:
        fx.game.pressPause();
        return true;
    case Situation::OptionsOpen:
        fx.game.openOptions();
        return true;
    case Situation::AutoPlay:
    case Situation::StoppedAutoPlay:
    case Situation::ResetDuringAutoPlay:
        fx.game.startAutoPlay();
        autoSteps(fx, 3);
        clockSeconds(fx, 1);
        if (!fx.dialogs.log.isEmpty() || probe(fx.game).phase != Phase::AutoPlay)
            return false;
        if (situation == Situation::StoppedAutoPlay)
            fx.game.pressPause();
        if (situation == Situation::ResetDuringAutoPlay) {
            fx.dialogs.confirmAnswer = true;
            fx.game.requestReset();
            fx.dialogs.log.clear();
        }
        return true;
    default:
        return false;
    }
}

} // namespace flow
