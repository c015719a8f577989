#include "lifecycle.h"

#include "game/dialogs.h"
#include "game/game_state.h"
#include "store/conversions.h"
#include "store/entries.h"
#include "store/settings_store.h"

void Form_Load(GameState &game)
{
    SettingsStore &store = game.store();
    const QString difficulty = store.read(Entry::DifficultyReadApplication, Entry::DifficultySection,
                                          Entry::DifficultyReadKey, Entry::DefaultDifficulty);
    // A limit that no 16-bit number holds can only come from a hand-edited
    // store; it falls back to the default.
    const QString limit = store.read(kApplication, Entry::TimesSection, Entry::TimeLimitKey, Entry::DefaultTimeLimit);
    const qint16 fallback = RoundToInt16(LeadingNumber(Entry::DefaultTimeLimit)).value_or(0);
    game.load(difficulty, RoundToInt16(LeadingNumber(limit)).value_or(fallback));
}

void Form_Activate(GameState &game) { game.activate(); }

void Form_Unload(GameState &game)
{
    const SaveResult saved =
        game.store().write(kApplication,
                           {{Entry::DifficultySection, Entry::DifficultyWriteKey, game.deal().difficulty},
                            {Entry::TimesSection, Entry::TimeLimitKey, NumberText(game.clock().timeLimitMinutes)}});
    // Told before the window goes; a game closed by a signal has nobody to
    // tell but the log.
    if (saved.failure && game.dialogs())
        game.dialogs()->notSaved(Dialogs::Unsaved::Settings, *saved.failure);
}
