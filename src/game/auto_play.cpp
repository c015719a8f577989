// Auto play: undoes the move history, newest entry first, one step a tick.
#include "game_state.h"

void GameState::startAutoPlay()
{
    m_autoPlay.ReplayIndex = static_cast<int>(m_board.MoveHistory.size()) - 2;
    setAutoStepperRunning(true);
    m_phase = Phase::AutoPlay;
    m_autoPlay.AutoPlayUsed = true;
}

void GameState::stepAutoPlay()
{
    const int index = m_autoPlay.ReplayIndex;
    if (index >= 0 && index < m_board.MoveHistory.size()) {
        const QString entry = m_board.MoveHistory.at(index);
        if (entry == QLatin1String("u"))
            requestMoveDown();
        else if (entry == QLatin1String("d"))
            requestMoveUp();
        else if (entry == QLatin1String("l"))
            requestMoveRight();
        else if (entry == QLatin1String("r"))
            requestMoveLeft();
    }
    if (m_autoPlay.ReplayIndex <= 0 || m_board.Solved)
        endAutoPlay();
    --m_autoPlay.ReplayIndex;
}

void GameState::endAutoPlay()
{
    setAutoStepperRunning(false);
    m_phase = Phase::Playing;
}
