#pragma once

#include <QString>

// The game keeps its texts in English: its handlers compare them, and the
// settings file stores them. The window translates each one when it draws it,
// into the language the desktop asks for.

// A text of the game as the player reads it.
QString shown(const QString &english);
// A caption or tool tip of the layout tables (none: an empty text).
QString shown(const char *english);
// A message. The one that tells of a record not saved has its first line
// translated and its reason as far as the game knows the reason's words.
QString shownMessage(const QString &english);
// The clock text of the status bar, "Timer : 9 : 43" in English.
QString shownClock(const QString &english);
