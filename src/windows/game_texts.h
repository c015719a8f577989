#pragma once

#include "game/dialogs.h"
#include "game/game_state.h"

#include <QString>

struct SaveFailure;

// Every text of the game as the player reads it, in the language the desktop
// asks for: the game itself hands over typed values.

// A caption or tool tip of the layout tables (none: an empty text).
QString shown(const char *english);
// A difficulty by its stored name: its caption, or the name as it stands.
QString difficultyText(const QString &stored);
// A winner's name by its stored text: "Anonymous" in the player's language,
// any other name as it stands.
QString winnerNameText(const QString &stored);
// The clock text of the status bar, "Timer : 9 : 43" in English.
QString clockText(const ClockReading &reading);
// The pause button's caption and tool tip: what it does in this phase.
QString pauseCaption(Phase phase);
QString pauseToolTip(Phase phase);
// A message of the game: its title and its text, lines parted by '\n'.
QString noticeTitle(Dialogs::Notice notice);
QString noticeText(Dialogs::Notice notice);
// Why a save failed, in one line for the player: what went wrong, where,
// and the system's own words for the error where it has any.
QString failureText(const SaveFailure &failure);

