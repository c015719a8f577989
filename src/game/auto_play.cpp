// Auto play: undoes the move history, newest entry first, one step a tick.
#include "game_state.h"

void GameState::Mnuauto_Click()
{
    ReplayIndex = static_cast<int>(MoveHistory.size()) - 2;
    setAutoStepperRunning(true);
    AutoPlayRunning = true;
    mnutoolsEnabled = false;
    cmdpause.caption = QStringLiteral("Stop");
    BoardActive = false;
    AutoPlayUsed = true;
}

void GameState::tmrauto_Timer()
{
    if (ReplayIndex >= 0 && ReplayIndex < MoveHistory.size()) {
        const QString entry = MoveHistory.at(ReplayIndex);
        if (entry == QLatin1String("u"))
            RequestMoveDown();
        else if (entry == QLatin1String("d"))
            RequestMoveUp();
        else if (entry == QLatin1String("l"))
            RequestMoveRight();
        else if (entry == QLatin1String("r"))
            RequestMoveLeft();
    }
    if (ReplayIndex <= 0 || Solved)
        endAutoPlay();
    --ReplayIndex;
}

void GameState::endAutoPlay()
{
    setAutoStepperRunning(false);
    AutoPlayRunning = false;
    mnutoolsEnabled = true;
    cmdpause.caption = QStringLiteral("Pause");
}
