#include "difficulty_looks.h"

#include "game/difficulty.h"

#include <QCoreApplication>

#include <array>

namespace {

const std::array<DifficultyLook, 3> kLooks{{
    {QStringLiteral("Easy"), QStringLiteral("OptEasy"), 855, 375, QT_TRANSLATE_NOOP("Game", "Easy"),
     QT_TRANSLATE_NOOP("Game", "Easy :")},
    {QStringLiteral("Medium"), QStringLiteral("Optmedium"), 1095, 255, QT_TRANSLATE_NOOP("Game", "Medium"),
     QT_TRANSLATE_NOOP("Game", "Medium :")},
    {QStringLiteral("Hard"), QStringLiteral("Optihard"), 735, 195, QT_TRANSLATE_NOOP("Game", "Hard"),
     QT_TRANSLATE_NOOP("Game", "Hard :")},
}};

} // namespace

const DifficultyLook &lookOf(const DifficultyLevel &level)
{
    for (const DifficultyLook &look : kLooks) {
        if (look.level == level.name)
            return look;
    }
    qFatal("no look for the difficulty %s", qPrintable(level.name));
}
