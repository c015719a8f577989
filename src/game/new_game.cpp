// Dealing a new game: the difficulty from the option buttons, the best times
// from the store, and the shuffle.
#include "game_state.h"

#include "random_source.h"
#include "store/score_variables.h"

#include <cmath>

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

void GameState::checkOptionFor(const QString &difficulty)
{
    if (difficulty == QLatin1String("Easy"))
        checkedOption = DifficultyOption::Easy;
    else if (difficulty == QLatin1String("Medium"))
        checkedOption = DifficultyOption::Medium;
    else if (difficulty == QLatin1String("Hard"))
        checkedOption = DifficultyOption::Hard;
}

void GameState::NewGame()
{
    MoveHistory = QStringList{QString(), QString()};
    m_scores.GotTopTime = false;
    ElapsedSeconds = 0;
    AutoPlayUsed = false;
    ReadDifficulty();

    loadBestTimes(m_store, m_scores);

    const int totalMoves = ShuffleRounds * MovesPerRound;
    pgblengthVisible = true;
    pgblengthMin = 0;
    pgblengthMax = totalMoves;
    pgblengthValue = 0;

    for (Cell &cell : cmdcheck)
        cell.visible = true;
    LabelCells();

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
