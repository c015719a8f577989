#include "lifecycle.h"

#include "game/game_state.h"
#include "store/conversions.h"
#include "store/settings_store.h"

void Form_Load(GameState &game)
{
    SettingsStore &store = game.store();
    game.Difficulty = store.read(QStringLiteral("Taviqgame"), Entry::DifficultySection, QStringLiteral("Diff"),
                                 Entry::DefaultDifficulty);
    // A limit that no 16-bit number holds can only come from a hand-edited
    // store; it falls back to the default.
    const QString limit = store.read(kApplication, Entry::TimesSection, Entry::TimeLimitKey, Entry::DefaultTimeLimit);
    game.TimeLimitMinutes = RoundToInt16(LeadingNumber(limit)).value_or(qint16(10));

    game.checkOptionFor(game.Difficulty);

    game.setAutoStepperRunning(false);
    // Key preview is the window's own business: it always sees keys first.
    game.LabelCells();
    game.SecondsLeft = 0;
    game.ActivationCount = 0;
    game.cmdpause.enabled = false;
    game.BoardActive = true;
    game.MoveHistory = QStringList{QString(), QString()};
}

void Form_Activate(GameState &game)
{
    if (game.ActivationCount >= 1)
        return;
    game.ActivationCount = 1;
    game.NewGame();
}

void Form_Unload(GameState &game)
{
    game.store().write(kApplication, {{Entry::DifficultySection, QStringLiteral("diff"), game.Difficulty},
                                      {Entry::TimesSection, Entry::TimeLimitKey, NumberText(game.TimeLimitMinutes)}});
}
