// The pause button (Pause, Resume, or Stop during an auto play) and Reset.
#include "game_state.h"

#include "dialogs.h"

void GameState::cmdpause_Click()
{
    ButtonState &pause = m_controls.cmdpause;
    if (pause.caption == QLatin1String("Stop")) {
        endAutoPlay();
        m_board.BoardActive = true;
    } else if (pause.caption == QLatin1String("Pause")) {
        holdTimers();
        m_board.BoardActive = false;
        m_controls.mnutools.enabled = false;
        m_controls.Cmdreset.enabled = false;
        pause.caption = QStringLiteral("Resume");
        pause.toolTip = QStringLiteral("Resume Game");
    } else {
        setClockRunning(true);
        m_board.BoardActive = true;
        m_controls.mnutools.enabled = true;
        m_controls.Cmdreset.enabled = true;
        pause.caption = QStringLiteral("Pause");
        pause.toolTip = QStringLiteral("Pause Game");
    }
}

void GameState::Cmdreset_Click()
{
    // The clock and a running auto play go on while the question is open.
    if (!m_dialogs->confirm(QStringLiteral("This will reset current game"), QStringLiteral("Reset")))
        return;
    if (m_autoPlay.AutoPlayRunning)
        m_controls.cmdpause.caption = QStringLiteral("Pause");
    m_controls.cmdpause.enabled = false;
    setClockRunning(false);
    // The stepper stops and the Tools menu comes back whatever ran before.
    setAutoStepperRunning(false);
    m_autoPlay.AutoPlayRunning = false;
    m_controls.mnutools.enabled = true;
    NewGame();
}
