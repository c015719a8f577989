#pragma once

#include "game/game_state.h"

// The options panel over the tile block: choosing the difficulty and the time
// limit. Works on the game's state; the main window draws it.
class OptionsPanel
{
public:
    explicit OptionsPanel(GameState &game) : m_game(game) {}

    // Opens the panel (Tools > Options).
    void mnuoptions_Click();
    // A difficulty was picked: propose its time limit.
    void optionClicked(DifficultyOption option);
    // OK: applies the choice and deals a new game.
    void CmdOK_Click();
    // Cancel: closes the panel, the game goes on.
    void cmdCancel_Click();

    // The time limit that goes with a difficulty's shuffle rounds.
    static qint16 TimeLimitDefault(int shuffleRounds);

    static constexpr int kClosedHeightTwips = 4275;
    static constexpr int kOpenHeightTwips = 3285;

private:
    void close();

    GameState &m_game;
};
