// Dealing a new game: the difficulty chosen in the options, the best times
// from the store, and the shuffle.
#include "game_state.h"

#include "difficulty.h"
#include "high_scores.h"
#include "random_source.h"
#include "store/score_variables.h"

#include <cmath>

void GameState::readDifficulty()
{
    if (const DifficultyLevel *level = m_options.level) {
        m_deal.shuffleRounds = level->shuffleRounds;
        m_deal.movesPerRound = level->movesPerRound;
        m_deal.difficulty = level->name;
    }
}

void GameState::checkOptionFor(const QString &difficulty)
{
    if (const DifficultyLevel *level = levelNamed(difficulty))
        m_options.level = level;
}

void GameState::newGame()
{
    m_board.moveHistory.clear();
    m_scores.GotTopTime = false;
    m_clock.elapsedSeconds = 0;
    m_autoPlay.used = false;
    readDifficulty();

    loadBestTimes(m_store, m_scores);

    const int totalMoves = m_deal.shuffleRounds * m_deal.movesPerRound;
    m_deal.shuffling = true;
    m_deal.shuffleMoves = totalMoves;
    m_deal.shuffleDone = 0;

    m_board.tiles = Board();

    m_random.seedFromClock();

    // Directions 1 left, 2 right, 3 down, 4 up; a direction is never followed
    // by its reverse. A move refused at the edge still counts.
    int movesMade = 0;
    int previous = 0;
    for (int round = 1; round <= m_deal.shuffleRounds; ++round) {
        int move = 1;
        while (move <= m_deal.movesPerRound) {
            double r = m_random.next();
            if (!(r >= 0.0 && r < 1.0))
                r = 0.0;
            const int d = static_cast<int>(std::floor(r * 4 + 1));
            const bool reverse = (d == 1 && previous == 2) || (d == 2 && previous == 1)
                                 || (d == 3 && previous == 4) || (d == 4 && previous == 3);
            if (!reverse) {
                constexpr Board::Slide kSlides[] = {Board::Slide::Left, Board::Slide::Right, Board::Slide::Down,
                                                    Board::Slide::Up};
                moveTile(kSlides[d - 1]);
                ++move;
                ++movesMade;
                previous = d;
            }
            setProgress(movesMade);
        }
    }

    m_clock.secondsLeft = 0;
    setClockRunning(false);
    m_clock.firstMovePending = true;
    m_clock.minutesLeft = m_clock.timeLimitMinutes - 1;
    m_clock.reading = ClockReading{m_clock.timeLimitMinutes, m_clock.secondsLeft};
    m_deal.shuffling = false;
    if (m_observer)
        m_observer->dealt();
}
