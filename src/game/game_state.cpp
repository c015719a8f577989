#include "game_state.h"

#include "difficulty.h"

GameState::GameState(SettingsStore &store, ScoreVariables &scores, RandomSource &random)
    : m_store(store)
    , m_scores(scores)
    , m_random(random)
{
    m_options.level = &difficultyLevels().front();
}

void GameState::setClockRunning(bool running)
{
    if (m_clock.running == running)
        return;
    m_clock.running = running;
    if (m_observer)
        m_observer->timersChanged();
}

void GameState::setAutoStepperRunning(bool running)
{
    if (m_autoPlay.stepping == running)
        return;
    m_autoPlay.stepping = running;
    if (m_observer)
        m_observer->timersChanged();
}

void GameState::setProgress(int value)
{
    m_deal.shuffleDone = value;
    if (m_observer)
        m_observer->progressChanged();
}
