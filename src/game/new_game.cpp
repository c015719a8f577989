// Dealing a new game: the difficulty from the option buttons, the best times
// from the store, and the shuffle.
#include "game_state.h"

#include "random_source.h"
#include "store/conversions.h"
#include "store/score_variables.h"
#include "store/settings_store.h"

#include <cmath>

namespace {

// A best time as loaded at a new game. A value that no number type can hold
// (only a hand-edited store has one) falls back to the default.
double loadedBestTime(const QString &text)
{
    const double value = LeadingNumber(text);
    return std::isfinite(value) ? value : 480.0;
}

} // namespace

void GameState::ReadDifficulty()
{
    switch (checkedOption) {
    case DifficultyOption::Easy:
        ShuffleRounds = 2;
        MovesPerRound = 30;
        Difficulty = QStringLiteral("Easy");
        break;
    case DifficultyOption::Medium:
        ShuffleRounds = 3;
        MovesPerRound = 40;
        Difficulty = QStringLiteral("Medium");
        break;
    case DifficultyOption::Hard:
        ShuffleRounds = 4;
        MovesPerRound = 50;
        Difficulty = QStringLiteral("Hard");
        break;
    case DifficultyOption::None:
        break;
    }
}

void GameState::NewGame()
{
    MoveHistory = QStringList{QString(), QString()};
    m_scores.GotTopTime = false;
    ElapsedSeconds = 0;
    AutoPlayUsed = false;
    ReadDifficulty();

    const QString times = QStringLiteral("Times");
    const QString unbeaten = QStringLiteral("480");
    m_scores.BestEasy = loadedBestTime(m_store.read(kApplication, times, QStringLiteral("Easy"), unbeaten));
    m_scores.BestMedium = loadedBestTime(m_store.read(kApplication, times, QStringLiteral("Medium"), unbeaten));
    m_scores.BestHard = RoundToInt16(LeadingNumber(m_store.read(kApplication, times, QStringLiteral("Hard"), unbeaten)))
                            .value_or(qint16(480));

    const int totalMoves = ShuffleRounds * MovesPerRound;
    pgblengthVisible = true;
    pgblengthMin = 0;
    pgblengthMax = totalMoves;
    pgblengthValue = 0;

    for (int i = 0; i < 16; ++i) {
        cmdcheck[i].caption = QString::number(i + 1);
        cmdcheck[i].visible = true;
    }
    cmdcheck[15].visible = false;

    m_random.seedFromClock();

    // Directions 1 left, 2 right, 3 down, 4 up; a direction is never followed
    // by its reverse. A move refused at the edge still counts.
    int movesMade = 0;
    int previous = 0;
    for (int round = 1; round <= ShuffleRounds; ++round) {
        int move = 1;
        while (move <= MovesPerRound) {
            double r = m_random.next();
            if (!(r >= 0.0 && r < 1.0))
                r = 0.0;
            const int d = static_cast<int>(std::floor(r * 4 + 1));
            const bool reverse = (d == 1 && previous == 2) || (d == 2 && previous == 1)
                                 || (d == 3 && previous == 4) || (d == 4 && previous == 3);
            if (!reverse) {
                switch (d) {
                case 1: MoveLeft(); break;
                case 2: MoveRight(); break;
                case 3: MoveDown(); break;
                default: MoveUp(); break;
                }
                ++move;
                ++movesMade;
                previous = d;
            }
            setProgress(movesMade);
        }
    }

    SecondsLeft = 0;
    setClockRunning(false);
    FirstMovePending = true;
    MinutesLeft = TimeLimitMinutes - 1;
    stbtimerPanels[0] = clockText(TimeLimitMinutes, SecondsLeft);
    stbtimerPanels[1] = Difficulty;
    pgblengthVisible = false;
    FirstMovePending = true;
    BoardActive = true;
}
