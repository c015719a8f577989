// The pause button (Pause, Resume, or Stop during an auto play) and Reset.
#include "game_state.h"

#include "dialogs.h"

void GameState::cmdpause_Click()
{
    if (cmdpause.caption == QLatin1String("Stop")) {
        endAutoPlay();
        BoardActive = true;
    } else if (cmdpause.caption == QLatin1String("Pause")) {
        setClockRunning(false);
        setAutoStepperRunning(false);
        BoardActive = false;
        mnutoolsEnabled = false;
        Cmdreset.enabled = false;
        cmdpause.caption = QStringLiteral("Resume");
        cmdpause.toolTip = QStringLiteral("Resume Game");
    } else {
        setClockRunning(true);
        BoardActive = true;
        mnutoolsEnabled = true;
        Cmdreset.enabled = true;
        cmdpause.caption = QStringLiteral("Pause");
        cmdpause.toolTip = QStringLiteral("Pause Game");
    }
}

void GameState::Cmdreset_Click()
{
    // The clock and a running auto play go on while the question is open.
    if (!m_dialogs->confirm(QStringLiteral("This will reset current game"), QStringLiteral("Reset")))
        return;
    if (AutoPlayRunning)
        cmdpause.caption = QStringLiteral("Pause");
    cmdpause.enabled = false;
    setClockRunning(false);
    setAutoStepperRunning(false);
    AutoPlayRunning = false;
    mnutoolsEnabled = true;
    NewGame();
}
