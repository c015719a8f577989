// The solved check and the end of a won game.
#include "game_state.h"

#include "dialogs.h"
#include "store/conversions.h"
#include "store/score_variables.h"
#include "store/settings_store.h"

void GameState::CheckSolved()
{
    for (int i = 0; i < 15; ++i) {
        if (cmdcheck[i].caption != QString::number(i + 1)) {
            Solved = false;
            break;
        }
        Solved = true;
    }
    if (!Solved)
        return;

    setClockRunning(false);
    // Another copy of the game may have stored a better time since this game
    // was dealt: the file as it is now decides whether this one is a record.
    m_store.refresh(kApplication);
    loadBestTimes(m_store, m_scores);
    if (AutoPlayUsed) {
        // No auto-play step may move a tile under the message; the step that
        // solved the board ends the auto play when this returns.
        setAutoStepperRunning(false);
        m_dialogs->message(QStringLiteral("Game Over"), QStringLiteral("Game Over"),
                           Dialogs::Icon::Information);
    } else if (Difficulty == QLatin1String("Easy")) {
        if (m_scores.BestEasy > ElapsedSeconds)
            recordBestTime(QStringLiteral("Easy"));
        else
            m_dialogs->showWinner();
    } else if (Difficulty == QLatin1String("Medium")) {
        if (m_scores.BestMedium > ElapsedSeconds)
            recordBestTime(QStringLiteral("Medium"));
        else
            m_dialogs->showWinner();
    } else if (Difficulty == QLatin1String("Hard")) {
        if (m_scores.BestHard > ElapsedSeconds)
            recordBestTime(QStringLiteral("Hard"));
        else
            m_dialogs->showWinner();
    }

    ElapsedSeconds = 0;
    SecondsLeft = 0;
    cmdpause.enabled = false;
    NewGame();
}

// A new best time: the winner names himself, then name and time are stored
// in one save, unless a copy of the game running beside this one has stored
// a time at least as good meanwhile.
void GameState::recordBestTime(const QString &key)
{
    m_scores.GotTopTime = true;
    m_dialogs->showWinner();
    const int time = ElapsedSeconds;
    const SaveResult saved = m_store.write(
        kApplication,
        {{Entry::NamesSection, key, m_scores.WinnerName}, {Entry::TimesSection, key, NumberText(time)}},
        [key, time](const SettingsStore::Reader &read) {
            return storedBestTime(key, read(Entry::TimesSection, key, Entry::DefaultBestTime)) > time;
        });
    if (saved.status == SaveResult::Status::Refused)
        m_dialogs->message(QStringLiteral("A better time was saved meanwhile."), QStringLiteral("Not Saved"),
                           Dialogs::Icon::Warning);
    else if (saved.status == SaveResult::Status::Failed)
        m_dialogs->message(QStringLiteral("Your best time could not be saved:\r") + saved.reason,
                           QStringLiteral("Not Saved"), Dialogs::Icon::Warning);
}
