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
        if (m_phase == Phase::AutoPlay)
            endAutoPlay();
        m_dialogs->tell(Dialogs::Notice::TimeUp);
        newGame();
        // Help or About may have set the clock going under an open options
        // panel, which stays open: the board stays closed until it is.
        m_controls.cmdpause.enabled = false;
    }
}

void GameState::holdTimers()
{
    setClockRunning(false);
    setAutoStepperRunning(false);
}

void GameState::releaseTimers()
{
    if ((m_phase == Phase::Playing || m_phase == Phase::Options) && !m_clock.FirstMovePending)
        setClockRunning(true);
    if (m_phase == Phase::AutoPlay)
        setAutoStepperRunning(true);
}
