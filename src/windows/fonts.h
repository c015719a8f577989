#pragma once

#include <QFont>

// Fonts of the classic layout, with substitutes where a family is missing.
void installFontSubstitutes();

// "MS Sans Serif" (or its substitute) at the given size and weight.
QFont sansSerif(double pointSize, QFont::Weight weight = QFont::Normal);

class QLabel;

// When a label's face is not installed, shrinks the substitute until the
// label's text fits its box (call it once the label has its text).
void fitFontToBox(QLabel *label);
