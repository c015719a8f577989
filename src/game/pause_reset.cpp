// The pause button (Pause, Resume, or Stop during an auto play) and Reset.
#include "game_state.h"

#include "dialogs.h"

void GameState::pressPause()
{
    PauseAction &action = m_controls.cmdpause.action;
    switch (action) {
    case PauseAction::Stop:
        endAutoPlay();
        m_board.BoardActive = true;
        break;
    case PauseAction::Pause:
        holdTimers();
        m_board.BoardActive = false;
        m_controls.mnutools.enabled = false;
        m_controls.Cmdreset.enabled = false;
        action = PauseAction::Resume;
        break;
    case PauseAction::Resume:
        setClockRunning(true);
        m_board.BoardActive = true;
        m_controls.mnutools.enabled = true;
        m_controls.Cmdreset.enabled = true;
        action = PauseAction::Pause;
        break;
    }
}

void GameState::requestReset()
{
    // The clock and a running auto play go on while the question is open.
    if (!m_dialogs->confirmReset())
        return;
    if (m_autoPlay.AutoPlayRunning)
        m_controls.cmdpause.action = PauseAction::Pause;
    m_controls.cmdpause.enabled = false;
    setClockRunning(false);
    // The stepper stops and the Tools menu comes back whatever ran before.
    setAutoStepperRunning(false);
    m_autoPlay.AutoPlayRunning = false;
    m_controls.mnutools.enabled = true;
    newGame();
}
