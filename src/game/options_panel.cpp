// The options panel over the tile block: choosing the difficulty and the time
// limit. The window shows the panel as the state says.
#include "game_state.h"

#include "difficulty.h"
#include "store/conversions.h"

void GameState::openOptions()
{
    setClockRunning(false);
    m_phase = Phase::Options;
    m_options.limitText = QString::number(m_clock.timeLimitMinutes);
}

void GameState::chooseDifficulty(const DifficultyLevel &level)
{
    m_options.level = &level;
    m_options.limitText = QString::number(level.defaultLimitMinutes);
}

void GameState::editTimeLimit(const QString &text)
{
    m_options.limitText = text;
}

void GameState::applyOptions()
{
    m_phase = Phase::Playing;
    readDifficulty();
    // A limit above 0 and up to 60 minutes is taken; anything else gives the
    // difficulty's own.
    const DifficultyLevel *level = levelWithRounds(m_deal.shuffleRounds);
    const qint16 fallback = level ? level->defaultLimitMinutes : difficultyLevels().front().defaultLimitMinutes;
    const double v = LeadingNumber(m_options.limitText);
    m_clock.timeLimitMinutes = v > 0 && v <= 60 ? RoundToInt16(v).value_or(fallback) : fallback;
    m_clock.secondsLeft = 0;
    newGame();
    m_clock.underWay = false;
    // The first game after Apply counts its seconds from 0 like every other
    // game, so that its best time is true.
}

void GameState::cancelOptions()
{
    m_phase = Phase::Playing;
    if (m_clock.underWay)
        setClockRunning(true);
    checkOptionFor(m_deal.difficulty);
}
