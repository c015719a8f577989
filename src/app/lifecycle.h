#pragma once

class GameState;

// The main window's lifecycle: load, activation and unload.

// Reads the stored difficulty and time limit and lays the board out.
void Form_Load(GameState &game);
// The first activation deals the first game; later ones change nothing.
void Form_Activate(GameState &game);
// Writes the difficulty and the time limit back to the store, and tells the
// player when that fails.
void Form_Unload(GameState &game);
