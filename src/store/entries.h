#pragma once

#include <QString>

// The entries the game keeps in the settings store. The store does not mind
// the letter case of names, and some readers spell them differently from the
// writers: the difficulty is read under "Taviqgame" and "Diff" and written
// under "TaviqGame" and "diff"; the high-score window reads the best times and
// names of Medium and Hard as "medium" and "hard".
inline const QString kApplication = QStringLiteral("TaviqGame");

namespace Entry {
inline const QString DifficultySection = QStringLiteral("Difficulty");
inline const QString DifficultyReadApplication = QStringLiteral("Taviqgame");
inline const QString DifficultyReadKey = QStringLiteral("Diff");
inline const QString DifficultyWriteKey = QStringLiteral("diff");
inline const QString TimesSection = QStringLiteral("Times");
inline const QString NamesSection = QStringLiteral("Names");
inline const QString TimeLimitKey = QStringLiteral("Timelimit");

// The best time that every game beats while none is stored: eight minutes.
constexpr qint16 DefaultBestSeconds = 8 * 60;

inline const QString DefaultDifficulty = QStringLiteral("Easy");
inline const QString DefaultTimeLimit = QStringLiteral("10");
inline const QString DefaultBestTime = QString::number(DefaultBestSeconds);
inline const QString DefaultName = QStringLiteral("Anonymous");
} // namespace Entry
