#pragma once

#include <QFont>

// Fonts of the classic layout, with substitutes where a family is missing.
void installFontSubstitutes();

// "MS Sans Serif" (or its substitute) at the given size and weight.
QFont sansSerif(double pointSize, QFont::Weight weight = QFont::Normal);
