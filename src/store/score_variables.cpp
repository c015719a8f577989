#include "score_variables.h"

#include "conversions.h"
#include "entries.h"
#include "settings_store.h"

#include <cmath>

namespace {

double bestTime(const SettingsStore &store, const QString &key)
{
    const double value = LeadingNumber(store.read(kApplication, Entry::TimesSection, key, Entry::DefaultBestTime));
    return std::isfinite(value) ? value : 480.0;
}

} // namespace

void loadBestTimes(const SettingsStore &store, ScoreVariables &scores)
{
    scores.BestEasy = bestTime(store, QStringLiteral("Easy"));
    scores.BestMedium = bestTime(store, QStringLiteral("Medium"));
    scores.BestHard = RoundToInt16(LeadingNumber(
                                       store.read(kApplication, Entry::TimesSection, QStringLiteral("Hard"),
                                                  Entry::DefaultBestTime)))
                          .value_or(qint16(480));
}
