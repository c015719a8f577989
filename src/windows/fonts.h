#pragma once

#include <QFont>
#include <QSize>

// The faces the layouts name, with substitutes where a family is missing.
void installFontSubstitutes();

// "MS Sans Serif" (or its substitute) at the given size and weight.
QFont sansSerif(double pointSize, QFont::Weight weight = QFont::Normal);

class QLabel;

// When a label's face is not installed and the substitute is too wide for the
// label's text, takes a narrower face of the same kind at the same size, or
// else shrinks the substitute until the text fits its box (call it once the
// label has its text).
// `room` is the part of the box left visible, where another control covers
// the rest (the whole box by default).
void fitFontToBox(QLabel *label, QSize room = QSize());
