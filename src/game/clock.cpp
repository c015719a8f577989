// The game clock: one tick a second counts the time limit down.
#include "game_state.h"

#include "dialogs.h"

void GameState::tickClock()
{
    if (m_clock.elapsedSeconds < 2147483647)
        ++m_clock.elapsedSeconds;
    --m_clock.secondsLeft;
    m_clock.reading = ClockReading{m_clock.minutesLeft, m_clock.secondsLeft};
    if (m_clock.secondsLeft == 0) {
        m_clock.secondsLeft = 60;
        --m_clock.minutesLeft;
    }
    if (m_clock.minutesLeft < 0) {
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
        m_clock.underWay = false;
    }
}

void GameState::holdTimers()
{
    setClockRunning(false);
    setAutoStepperRunning(false);
}

void GameState::releaseTimers()
{
    if ((m_phase == Phase::Playing || m_phase == Phase::Options) && !m_clock.firstMovePending)
        setClockRunning(true);
    if (m_phase == Phase::AutoPlay)
        setAutoStepperRunning(true);
}
