// The how-to-play help and the About window: the clock and the auto-play
// stepper wait while either is open.
#include "game_state.h"

#include "dialogs.h"

void GameState::showHowToPlay()
{
    holdTimers();
    m_dialogs->tell(Dialogs::Notice::HowToPlay);
    releaseTimers();
}

void GameState::showAbout()
{
    holdTimers();
    m_dialogs->showAbout();
    releaseTimers();
}
