#include "difficulty.h"

#include "store/conversions.h"
#include "store/entries.h"

#include <array>
#include <cmath>

namespace {

const std::array<DifficultyLevel, 3> kLevels{{
    {QStringLiteral("Easy"), 2, 30, 10, QStringLiteral("Easy"), DifficultyLevel::BestTime::RealNumber},
    {QStringLiteral("Medium"), 3, 40, 15, QStringLiteral("medium"), DifficultyLevel::BestTime::RealNumber},
    {QStringLiteral("Hard"), 4, 50, 20, QStringLiteral("hard"), DifficultyLevel::BestTime::Whole16Bit},
}};

} // namespace

std::span<const DifficultyLevel> difficultyLevels() { return kLevels; }

int levelIndex(const DifficultyLevel &level) { return static_cast<int>(&level - kLevels.data()); }

const DifficultyLevel *levelNamed(const QString &name)
{
    for (const DifficultyLevel &level : kLevels) {
        if (level.name == name)
            return &level;
    }
    return nullptr;
}

const DifficultyLevel *levelWithRounds(int shuffleRounds)
{
    for (const DifficultyLevel &level : kLevels) {
        if (level.shuffleRounds == shuffleRounds)
            return &level;
    }
    return nullptr;
}

double bestTimeFromText(const DifficultyLevel &level, const QString &text)
{
    const double value = LeadingNumber(text);
    if (level.bestTime == DifficultyLevel::BestTime::Whole16Bit)
        return RoundToInt16(value).value_or(Entry::DefaultBestSeconds);
    return std::isfinite(value) ? value : Entry::DefaultBestSeconds;
}
