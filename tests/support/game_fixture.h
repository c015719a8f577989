#pragma once

#include "game_probe.h"
#include "scripted_dialogs.h"
#include "store_files.h"

#include "game/game_state.h"
#include "game/random_source.h"
#include "store/entries.h"
#include "store/score_variables.h"
#include "store/settings_store.h"

#include <QTemporaryDir>

#include <memory>
#include <vector>

// Random numbers from a list, then from a seeded generator.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(unsigned long long seed = 1) : m_fallback(seed) {}
    void seedFromClock() override { ++seeds; }
    double next() override
    {
        if (m_next < values.size())
            return values[m_next++];
        return m_fallback.next();
    }

    std::vector<double> values;
    int seeds = 0;

private:
    std::size_t m_next = 0;
    SeededRandom m_fallback;
};

// One run of the program on a given store folder: no window, scripted
// dialogs and a seeded random source. Runs on the same folder see each
// other's writes, as two starts of the program do.
struct ProgramRun
{
    explicit ProgramRun(const QString &folder, unsigned long long seed = 7)
        : store(folder)
        , random(seed)
        , dialogs(scores)
        , game(store, scores, random)
    {
        game.setDialogs(&dialogs);
    }

    SettingsStore store;
    ScoreVariables scores;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    GameState game;
};

// A scratch folder of its own, made before anything is kept in it.
struct ScratchFolder
{
    QTemporaryDir dir{scratchTemplate()};
};

// A game with a store in a fresh scratch folder, scripted dialogs and a
// seeded random source; no window.
struct GameFixture : ScratchFolder, ProgramRun
{
    explicit GameFixture(unsigned long long seed = 1) : ProgramRun(dir.path(), seed) {}

    // Lays the board out solved with the blank at `blank`: the cells keep
    // their numbers in reading order around it.
    void layOut(int blank)
    {
        std::array<int, Board::kCells> tiles;
        int number = 1;
        for (int i = 0; i < Board::kCells; ++i)
            tiles[i] = i == blank ? Board::kBlank : number++;
        probe(game).board.tiles = Board(tiles);
    }
};

// What a test's game is dealt with. A fixed blank replaces the shuffled board
// with the solved numbers in reading order around the blank and empties the
// history, so that the test chooses the first move.
struct DealOptions
{
    const DifficultyLevel *difficulty = level(u"Easy");
    qint16 limitMinutes = 10;
    int blank = -1; // none: the board as shuffled
};

// Deals a game as the first activation does: the difficulty's option button
// checked and the time limit in force, then a new game, with the pause button
// disabled as the window's start-up leaves it.
inline void dealGame(GameFixture &fx, const DealOptions &deal = {})
{
    probe(fx.game).options.level = deal.difficulty;
    probe(fx.game).clock.timeLimitMinutes = deal.limitMinutes;
    probe(fx.game).newGame();
    probe(fx.game).clock.underWay = false;
    if (deal.blank >= 0) {
        fx.layOut(deal.blank);
        setHistory(probe(fx.game).board, QStringList{QString(), QString()});
    }
}
