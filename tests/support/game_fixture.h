#pragma once

#include "game_probe.h"
#include "scripted_dialogs.h"

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

// A game with a store in a fresh temporary folder, scripted dialogs and a
// seeded random source; no window.
struct GameFixture
{
    explicit GameFixture(unsigned long long seed = 1)
        : store(dir.path())
        , random(seed)
        , dialogs(scores)
        , game(store, scores, random)
    {
        game.setDialogs(&dialogs);
    }

    // Lays the board out solved with the blank at `blank`: the cells keep
    // their numbers in reading order around it.
    void layOut(int blank)
    {
        int number = 1;
        for (int i = 0; i < 16; ++i) {
            if (i == blank) {
                probe(game).board.cmdcheck[i] = Cell{QString(), false};
            } else {
                probe(game).board.cmdcheck[i] = Cell{QString::number(number++), true};
            }
        }
    }

    QTemporaryDir dir;
    SettingsStore store;
    ScoreVariables scores;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    GameState game;
};
