#include "score_variables.h"

#include "conversions.h"
#include "entries.h"
#include "settings_store.h"

#include <cmath>

double storedBestTime(const QString &difficulty, const QString &text)
{
    const double value = LeadingNumber(text);
    if (difficulty == QLatin1String("Hard"))
        return RoundToInt16(value).value_or(qint16(480));
    return std::isfinite(value) ? value : 480.0;
}

void loadBestTimes(const SettingsStore &store, ScoreVariables &scores)
{
    const auto stored = [&](const QString &difficulty) {
        return storedBestTime(difficulty,
                              store.read(kApplication, Entry::TimesSection, difficulty, Entry::DefaultBestTime));
    };
    scores.BestEasy = stored(QStringLiteral("Easy"));
    scores.BestMedium = stored(QStringLiteral("Medium"));
    scores.BestHard = static_cast<qint16>(stored(QStringLiteral("Hard")));
}
