#include "game_state.h"

#include "dialogs.h"

GameState::GameState(SettingsStore &store, ScoreVariables &scores, RandomSource &random)
    : m_store(store)
    , m_scores(scores)
    , m_random(random)
{
    cmdcheck[15].visible = false;
}

void GameState::setClockRunning(bool running)
{
    if (tmrtimeEnabled == running)
        return;
    tmrtimeEnabled = running;
    if (m_observer)
        m_observer->timersChanged();
}

void GameState::setAutoStepperRunning(bool running)
{
    if (tmrautoEnabled == running)
        return;
    tmrautoEnabled = running;
    if (m_observer)
        m_observer->timersChanged();
}

void GameState::setProgress(int value)
{
    pgblengthValue = value;
    if (m_observer)
        m_observer->progressChanged();
}
