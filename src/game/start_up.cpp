// The main window's load step and its first activation.
#include "game_state.h"

void GameState::load(const QString &storedDifficulty, qint16 storedLimitMinutes)
{
    m_deal.Difficulty = storedDifficulty;
    m_clock.TimeLimitMinutes = storedLimitMinutes;
    checkOptionFor(m_deal.Difficulty);
    setAutoStepperRunning(false);
    // Key preview is the window's own business: it always sees keys first.
    m_board.tiles = Board();
    m_clock.SecondsLeft = 0;
    m_deal.ActivationCount = 0;
    m_controls.cmdpause.enabled = false;
    m_phase = Phase::Playing;
    m_board.MoveHistory = QStringList{QString(), QString()};
}

void GameState::activate()
{
    if (m_deal.ActivationCount >= 1)
        return;
    m_deal.ActivationCount = 1;
    newGame();
}
