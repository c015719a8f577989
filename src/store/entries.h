#pragma once

#include <QString>

// The entries the game keeps in the settings store. The store does not mind
// the letter case of names, and some readers spell them differently from the
// writers ("Diff" for "diff", "medium" for "Medium"); those spellings stand at
// their call sites.
inline const QString kApplication = QStringLiteral("TaviqGame");

namespace Entry {
inline const QString DifficultySection = QStringLiteral("Difficulty");
inline const QString TimesSection = QStringLiteral("Times");
inline const QString NamesSection = QStringLiteral("Names");
inline const QString TimeLimitKey = QStringLiteral("Timelimit");

inline const QString DefaultDifficulty = QStringLiteral("Easy");
inline const QString DefaultTimeLimit = QStringLiteral("10");
inline const QString DefaultBestTime = QStringLiteral("480");
inline const QString DefaultName = QStringLiteral("Anonymous");
} // namespace Entry
