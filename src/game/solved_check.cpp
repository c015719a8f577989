// The solved check and the end of a won game.
#include "game_state.h"

#include "dialogs.h"
#include "difficulty.h"
#include "high_scores.h"
#include "store/conversions.h"
#include "store/entries.h"
#include "store/score_variables.h"
#include "store/settings_store.h"

void GameState::checkSolved()
{
    m_board.solved = m_board.tiles.isSolved();
    if (!m_board.solved)
        return;

    setClockRunning(false);
    // Another copy of the game may have stored a better time since this game
    // was dealt: the file as it is now decides whether this one is a record.
    m_store.refresh(kApplication);
    loadBestTimes(m_store, m_scores);
    const DifficultyLevel *level = levelNamed(m_deal.difficulty);
    if (m_autoPlay.used) {
        // No auto-play step may move a tile under the message; the step that
        // solved the board ends the auto play when this returns.
        setAutoStepperRunning(false);
        m_dialogs->tell(Dialogs::Notice::GameOver);
    } else if (level && beatsBestTime(*level)) {
        recordBestTime(*level);
    } else if (level) {
        m_dialogs->showWinner();
    }

    m_clock.elapsedSeconds = 0;
    m_clock.secondsLeft = 0;
    m_clock.underWay = false;
    newGame();
}

bool GameState::beatsBestTime(const DifficultyLevel &level) const
{
    const auto at = static_cast<std::size_t>(levelIndex(level));
    return at < m_scores.BestTimes.size() && m_scores.BestTimes[at] > m_clock.elapsedSeconds;
}

// A new best time: the winner names himself, then name and time are stored
// in one save, unless a copy of the game running beside this one has stored
// a time at least as good meanwhile.
void GameState::recordBestTime(const DifficultyLevel &level)
{
    m_scores.GotTopTime = true;
    m_dialogs->showWinner();
    const int time = m_clock.elapsedSeconds;
    const SaveResult saved = m_store.write(
        kApplication,
        {{Entry::NamesSection, level.name, m_scores.WinnerName},
         {Entry::TimesSection, level.name, NumberText(time)}},
        [&level, time](const SettingsStore::Reader &read) {
            return bestTimeFromText(level, read(Entry::TimesSection, level.name, Entry::DefaultBestTime)) > time;
        });
    if (saved.status == SaveResult::Status::Refused)
        m_dialogs->tell(Dialogs::Notice::BetterTime);
    else if (saved.failure)
        m_dialogs->notSaved(Dialogs::Unsaved::BestTime, *saved.failure);
}
