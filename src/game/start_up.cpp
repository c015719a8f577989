// The main window's load step and its first activation.
#include "game_state.h"

void GameState::load(const QString &storedDifficulty, qint16 storedLimitMinutes)
{
    m_deal.difficulty = storedDifficulty;
    m_clock.timeLimitMinutes = storedLimitMinutes;
    checkOptionFor(m_deal.difficulty);
    setAutoStepperRunning(false);
    // Key preview is the window's own business: it always sees keys first.
    m_board.tiles = Board();
    m_clock.secondsLeft = 0;
    m_deal.activationCount = 0;
    m_clock.underWay = false;
    m_phase = Phase::Playing;
    m_board.moveHistory.clear();
}

void GameState::activate()
{
    if (m_deal.activationCount >= 1)
        return;
    m_deal.activationCount = 1;
    newGame();
}
