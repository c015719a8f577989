// Auto play: undoes the move history, newest move first, one step a tick.
#include "game_state.h"

void GameState::startAutoPlay()
{
    // Counts down from the newest move to 0, where nothing is left to undo.
    m_autoPlay.replayIndex = static_cast<int>(m_board.moveHistory.size());
    setAutoStepperRunning(true);
    m_phase = Phase::AutoPlay;
    m_autoPlay.used = true;
}

void GameState::stepAutoPlay()
{
    // Each move is undone by the one that slides the same tile back; the
    // moves this makes go on the history's end, beyond what it reads.
    const int index = m_autoPlay.replayIndex;
    if (index >= 1 && index <= static_cast<int>(m_board.moveHistory.size())) {
        requestMove(Board::reverse(m_board.moveHistory[static_cast<std::size_t>(index - 1)]));
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
