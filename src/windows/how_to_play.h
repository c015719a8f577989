#pragma once

#include <QString>

class GameState;

// The five lines of the how-to-play help.
QString howToPlayText();

// Shows the help; the clock and the auto-play stepper wait while it is open.
void ShowHowToPlay(GameState &game);
