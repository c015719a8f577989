#include "difficulty.h"

#include "store/conversions.h"
#include "store/entries.h"
#include "store/score_variables.h"

#include <QCoreApplication>

#include <array>
#include <cmath>

namespace {

const std::array<DifficultyLevel, 3> kLevels{{
    {QStringLiteral("Easy"), "OptEasy", QT_TRANSLATE_NOOP("Game", "Easy"),
     QT_TRANSLATE_NOOP("Game", "Easy :"), 2, 30, 10, QStringLiteral("Easy"),
     DifficultyLevel::BestTime::RealNumber, [](const ScoreVariables &s) { return s.BestEasy; },
     [](ScoreVariables &s, double seconds) { s.BestEasy = seconds; }},
    {QStringLiteral("Medium"), "Optmedium", QT_TRANSLATE_NOOP("Game", "Medium"),
     QT_TRANSLATE_NOOP("Game", "Medium :"), 3, 40, 15, QStringLiteral("medium"),
     DifficultyLevel::BestTime::RealNumber, [](const ScoreVariables &s) { return s.BestMedium; },
     [](ScoreVariables &s, double seconds) { s.BestMedium = seconds; }},
    {QStringLiteral("Hard"), "Optihard", QT_TRANSLATE_NOOP("Game", "Hard"),
     QT_TRANSLATE_NOOP("Game", "Hard :"), 4, 50, 20, QStringLiteral("hard"),
     DifficultyLevel::BestTime::Whole16Bit, [](const ScoreVariables &s) { return double(s.BestHard); },
     [](ScoreVariables &s, double seconds) { s.BestHard = static_cast<qint16>(seconds); }},
}};

} // namespace

std::span<const DifficultyLevel> difficultyLevels() { return kLevels; }

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
