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

// A new best time: the winner names himself, then name and time are stored.
void GameState::recordBestTime(const QString &key)
{
    m_scores.GotTopTime = true;
    m_dialogs->showWinner();
    m_store.write(kApplication, Entry::NamesSection, key, m_scores.WinnerName);
    m_store.write(kApplication, Entry::TimesSection, key, NumberText(ElapsedSeconds));
}
