#include "how_to_play.h"

#include "game/dialogs.h"
#include "game/game_state.h"

QString howToPlayText()
{
    return QStringLiteral("Your goal is to arrange the numbers in order\r\n"
                          "Click on a number near blank to move it to blank\r\n"
                          "or use keys 8,2,4 and 6 (on number pad when num lock is on) to move number\r\n"
                          "F2 to Autoplay game\r"
                          "Click Reset button to reset Game");
}

void ShowHowToPlay(GameState &game)
{
    game.holdTimers();
    game.dialogs().message(howToPlayText(), QStringLiteral("Help"), Dialogs::Icon::None);
    game.releaseTimers();
}
