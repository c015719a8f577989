#pragma once

// Teaches the desktop's accessibility interface how to present the game's own
// controls: each cell of the board with its number (or "blank") and its row
// and column, and the time-limit box with its up-down as one spin button.
// Installed once, before the first window is shown.
void installAccessibleInterfaces();
