// Auto play: undoes the move history, newest entry first, one step a tick.
#include "game_state.h"

void GameState::startAutoPlay()
{
    m_autoPlay.replayIndex = static_cast<int>(m_board.moveHistory.size()) - 2;
    setAutoStepperRunning(true);
    m_phase = Phase::AutoPlay;
    m_autoPlay.used = true;
}

void GameState::stepAutoPlay()
{
    const int index = m_autoPlay.replayIndex;
    if (index >= 0 && index < m_board.moveHistory.size()) {
        const QString entry = m_board.moveHistory.at(index);
        if (entry == QLatin1String("u"))
            requestMoveDown();
        else if (entry == QLatin1String("d"))
            requestMoveUp();
        else if (entry == QLatin1String("l"))
            requestMoveRight();
        else if (entry == QLatin1String("r"))
            requestMoveLeft();
    }
    if (m_autoPlay.replayIndex <= 0 || m_board.solved)
        endAutoPlay();
    --m_autoPlay.replayIndex;
}

void GameState::endAutoPlay()
{
    setAutoStepperRunning(false);
    m_phase = Phase::Playing;
}
