// The how-to-play help and the About window: the clock and the auto-play
// stepper wait while either is open.
#include "game_state.h"

#include "dialogs.h"

QString GameState::howToPlayText()
{
    return QStringLiteral("Your goal is to arrange the numbers in order\r\n"
                          "Click on a number near blank to move it to blank\r\n"
                          "or use keys 8,2,4 and 6 (on number pad when num lock is on) to move number\r\n"
                          "F2 to Autoplay game\r"
                          "Click Reset button to reset Game");
}

void GameState::ShowHowToPlay()
{
    holdTimers();
    m_dialogs->message(howToPlayText(), QStringLiteral("Help"), Dialogs::Icon::None);
    releaseTimers();
}

void GameState::mnuabout_Click()
{
    holdTimers();
    m_dialogs->showAbout();
    releaseTimers();
}
