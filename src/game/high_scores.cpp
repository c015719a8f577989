#include "high_scores.h"

#include "difficulty.h"
#include "store/conversions.h"
#include "store/entries.h"
#include "store/score_variables.h"
#include "store/settings_store.h"

#include <cmath>

void loadBestTimes(const SettingsStore &store, ScoreVariables &scores)
{
    scores.BestTimes.clear();
    for (const DifficultyLevel &level : difficultyLevels()) {
        const QString stored = store.read(kApplication, Entry::TimesSection, level.name, Entry::DefaultBestTime);
        scores.BestTimes.push_back(bestTimeFromText(level, stored));
    }
}

QString ScoreTimeText(qint16 seconds)
{
    const int minutes = static_cast<int>(std::floor(seconds / 60.0));
    const int rest = seconds % 60;
    return QStringLiteral("%1:%2").arg(minutes).arg(rest);
}

std::vector<HighScoreRow> loadHighScores(SettingsStore &store)
{
    store.refresh(kApplication);
    std::vector<HighScoreRow> rows;
    for (const DifficultyLevel &level : difficultyLevels()) {
        // A best time that is not a 16-bit number can only come from a
        // hand-edited store; it shows as the default.
        const Int16Result time =
            TextToInt16(store.read(kApplication, Entry::TimesSection, level.scoreKeyRead, Entry::DefaultBestTime));
        rows.push_back({store.read(kApplication, Entry::NamesSection, level.scoreKeyRead, Entry::DefaultName),
                        ScoreTimeText(time.ok() ? time.value : Entry::DefaultBestSeconds)});
    }
    return rows;
}

SaveResult resetScores(SettingsStore &store, ScoreVariables &scores)
{
    // One save for both sections. Nothing to delete (nothing stored yet, or
    // a second reset) is no failure.
    SaveResult result = store.deleteSections(kApplication, {Entry::TimesSection, Entry::NamesSection});
    if (result.status == SaveResult::Status::Missing)
        result = {};
    loadBestTimes(store, scores);
    return result;
}
