#include "game_state.h"

#include "difficulty.h"

GameState::GameState(SettingsStore &store, ScoreVariables &scores, RandomSource &random)
    : m_store(store)
    , m_scores(scores)
    , m_random(random)
{
    m_controls.checkedOption = &difficultyLevels().front();
}

void GameState::setClockRunning(bool running)
{
    if (m_controls.tmrtime.enabled == running)
        return;
    m_controls.tmrtime.enabled = running;
    if (m_observer)
        m_observer->timersChanged();
}

void GameState::setAutoStepperRunning(bool running)
{
    if (m_controls.tmrauto.enabled == running)
        return;
    m_controls.tmrauto.enabled = running;
    if (m_observer)
        m_observer->timersChanged();
}

void GameState::setProgress(int value)
{
    m_controls.pgblength.value = value;
    if (m_observer)
        m_observer->progressChanged();
}
