#pragma once

#include <QString>

struct DifficultyLevel;

// How the windows show a difficulty: its caption, its option button in the
// options panel and the caption of its row in the high-score window. The
// option buttons and the high-score rows are made from these rows, one for
// each difficulty of the game, in the game's order.
struct DifficultyLook
{
    // The stored name of the difficulty it shows.
    QString level;
    // The option button's name, and its size in twips; the buttons stand
    // 480 twips apart.
    QString optionButton;
    int optionWidth;
    int optionHeight;
    // The option button's caption, also the status bar's text.
    const char *caption;
    // The caption of its high-score row.
    const char *scoreCaption;
};

// The look of a difficulty of the game. A difficulty without one stops the
// program when the first window asks for it.
const DifficultyLook &lookOf(const DifficultyLevel &level);
