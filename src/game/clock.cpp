// The game clock: one tick a second counts the time limit down.
#include "game_state.h"

#include "dialogs.h"

QString GameState::clockText(int minutes, int seconds)
{
    return QStringLiteral("Timer : %1 : %2").arg(minutes).arg(seconds);
}

void GameState::tmrtime_Timer()
{
    if (ElapsedSeconds < 2147483647)
        ++ElapsedSeconds;
    --SecondsLeft;
    stbtimerPanels[0] = clockText(MinutesLeft, SecondsLeft);
    stbtimerPanels[1] = Difficulty;
    if (SecondsLeft == 0) {
        SecondsLeft = 60;
        --MinutesLeft;
    }
    if (MinutesLeft < 0) {
        // Stop the clock first, so that no tick under the message runs the
        // time-up steps again, and end a running auto play as a reset would:
        // the new game replaces the history it is reading.
        setClockRunning(false);
        if (AutoPlayRunning) {
            setAutoStepperRunning(false);
            AutoPlayRunning = false;
            mnutoolsEnabled = true;
            cmdpause.caption = QStringLiteral("Pause");
        }
        m_dialogs->message(QStringLiteral("Time up\rThis will reset your game"),
                           QStringLiteral("Time Up"), Dialogs::Icon::None);
        NewGame();
        cmdpause.enabled = false;
        // Help or About may have set the clock going under an open options
        // panel; the board stays closed until the panel is.
        if (famOptionsVisible)
            BoardActive = false;
    }
}

void GameState::holdTimers()
{
    setClockRunning(false);
    setAutoStepperRunning(false);
}

void GameState::releaseTimers()
{
    if (cmdpause.caption == QLatin1String("Pause") && !FirstMovePending)
        setClockRunning(true);
    if (AutoPlayRunning)
        setAutoStepperRunning(true);
}
