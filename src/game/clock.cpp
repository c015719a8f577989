// The game clock: one tick a second counts the time limit down.
#include "game_state.h"

#include "dialogs.h"

void GameState::tickClock()
{
    if (m_clock.ElapsedSeconds < 2147483647)
        ++m_clock.ElapsedSeconds;
    --m_clock.SecondsLeft;
    m_controls.stbtimer.clock = ClockReading{m_clock.MinutesLeft, m_clock.SecondsLeft};
    m_controls.stbtimer.difficulty = m_deal.Difficulty;
    if (m_clock.SecondsLeft == 0) {
        m_clock.SecondsLeft = 60;
        --m_clock.MinutesLeft;
    }
    if (m_clock.MinutesLeft < 0) {
        // Stop the clock first, so that no tick under the message runs the
        // time-up steps again, and end a running auto play as a reset would:
        // the new game replaces the history it is reading.
        setClockRunning(false);
        if (m_autoPlay.AutoPlayRunning)
            endAutoPlay();
        m_dialogs->tell(Dialogs::Notice::TimeUp);
        newGame();
        m_controls.cmdpause.enabled = false;
        // Help or About may have set the clock going under an open options
        // panel; the board stays closed until the panel is.
        if (m_controls.famOptions.visible)
            m_board.BoardActive = false;
    }
}

void GameState::holdTimers()
{
    setClockRunning(false);
    setAutoStepperRunning(false);
}

void GameState::releaseTimers()
{
    if (m_controls.cmdpause.action == PauseAction::Pause && !m_clock.FirstMovePending)
        setClockRunning(true);
    if (m_autoPlay.AutoPlayRunning)
        setAutoStepperRunning(true);
}
