// Pausing, resuming, stopping an auto play, and Reset.
#include "game_state.h"

#include "dialogs.h"

void GameState::pressPause()
{
    switch (m_phase) {
    case Phase::AutoPlay:
        endAutoPlay();
        break;
    case Phase::Playing:
        holdTimers();
        m_phase = Phase::Paused;
        break;
    case Phase::Paused:
        setClockRunning(true);
        m_phase = Phase::Playing;
        break;
    case Phase::Options:
        break;
    }
}

void GameState::requestReset()
{
    // The clock and a running auto play go on while the question is open.
    if (!m_dialogs->confirmReset())
        return;
    m_clock.underWay = false;
    setClockRunning(false);
    setAutoStepperRunning(false);
    m_phase = Phase::Playing;
    newGame();
}
