#pragma once

#include <QString>

struct SaveFailure;

// The game keeps its texts in English: its handlers compare them, and the
// settings file stores them. The window translates each one when it draws it,
// into the language the desktop asks for.

// A text of the game as the player reads it.
QString shown(const QString &english);
// A caption or tool tip of the layout tables (none: an empty text).
QString shown(const char *english);
// Why a save failed, in one line for the player: what went wrong, where,
// and the system's own words for the error where it has any.
QString failureText(const SaveFailure &failure);
// The clock text of the status bar, "Timer : 9 : 43" in English.
QString shownClock(const QString &english);
