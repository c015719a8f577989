// Dealing a new game: the difficulty from the option buttons, the best times
// from the store, and the shuffle.
#include "game_state.h"

#include "difficulty.h"
#include "high_scores.h"
#include "random_source.h"
#include "store/score_variables.h"

#include <cmath>

void GameState::readDifficulty()
{
    if (const DifficultyLevel *level = m_controls.checkedOption) {
        m_deal.ShuffleRounds = level->shuffleRounds;
        m_deal.MovesPerRound = level->movesPerRound;
        m_deal.Difficulty = level->name;
    }
}

void GameState::checkOptionFor(const QString &difficulty)
{
    if (const DifficultyLevel *level = levelNamed(difficulty))
        m_controls.checkedOption = level;
}

void GameState::newGame()
{
    m_board.MoveHistory = QStringList{QString(), QString()};
    m_scores.GotTopTime = false;
    m_clock.ElapsedSeconds = 0;
    m_autoPlay.AutoPlayUsed = false;
    readDifficulty();

    loadBestTimes(m_store, m_scores);

    const int totalMoves = m_deal.ShuffleRounds * m_deal.MovesPerRound;
    auto &progress = m_controls.pgblength;
    progress.visible = true;
    progress.minimum = 0;
    progress.maximum = totalMoves;
    progress.value = 0;

    m_board.tiles = Board();

    m_random.seedFromClock();

    // Directions 1 left, 2 right, 3 down, 4 up; a direction is never followed
    // by its reverse. A move refused at the edge still counts.
    int movesMade = 0;
    int previous = 0;
    for (int round = 1; round <= m_deal.ShuffleRounds; ++round) {
        int move = 1;
        while (move <= m_deal.MovesPerRound) {
            double r = m_random.next();
            if (!(r >= 0.0 && r < 1.0))
                r = 0.0;
            const int d = static_cast<int>(std::floor(r * 4 + 1));
            const bool reverse = (d == 1 && previous == 2) || (d == 2 && previous == 1)
                                 || (d == 3 && previous == 4) || (d == 4 && previous == 3);
            if (!reverse) {
                switch (d) {
                case 1: moveTileLeft(); break;
                case 2: moveTileRight(); break;
                case 3: moveTileDown(); break;
                default: moveTileUp(); break;
                }
                ++move;
                ++movesMade;
                previous = d;
            }
            setProgress(movesMade);
        }
    }

    m_clock.SecondsLeft = 0;
    setClockRunning(false);
    m_clock.FirstMovePending = true;
    m_clock.MinutesLeft = m_clock.TimeLimitMinutes - 1;
    m_controls.stbtimer.clock = ClockReading{m_clock.TimeLimitMinutes, m_clock.SecondsLeft};
    m_controls.stbtimer.difficulty = m_deal.Difficulty;
    progress.visible = false;
}
