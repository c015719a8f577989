// Move requests: clicks on the cells, the number-pad keys, and the four
// guarded requests that wrap a tile move with the clock and the solved check.
#include "game_state.h"

void GameState::clickTile(int index)
{
    if (m_phase != Phase::Playing)
        return;
    const int blank = m_board.tiles.blankCell();
    // No test for rows here: the tile moves refuse a wrap across rows.
    if (index == blank - 1)
        requestMoveRight();
    else if (index == blank + 1)
        requestMoveLeft();
    else if (index == blank + 4)
        requestMoveUp();
    else if (index == blank - 4)
        requestMoveDown();
}

void GameState::pressKey(KeyCommand key)
{
    if (m_phase != Phase::Playing)
        return;
    switch (key) {
    case KeyCommand::MoveUp: requestMoveUp(); break;
    case KeyCommand::MoveDown: requestMoveDown(); break;
    case KeyCommand::MoveLeft: requestMoveLeft(); break;
    case KeyCommand::MoveRight: requestMoveRight(); break;
    case KeyCommand::Help: showHowToPlay(); break;
    }
}

template <typename Move> void GameState::guardedRequest(Move move)
{
    setClockRunning(true);
    m_clock.underWay = true;
    (this->*move)();
    checkSolved();
    if (!m_board.solved && m_clock.firstMovePending) {
        m_clock.secondsLeft = 60;
        m_clock.firstMovePending = false;
    }
}

void GameState::requestMoveUp() { guardedRequest(&GameState::moveTileUp); }
void GameState::requestMoveDown() { guardedRequest(&GameState::moveTileDown); }
void GameState::requestMoveLeft() { guardedRequest(&GameState::moveTileLeft); }
void GameState::requestMoveRight() { guardedRequest(&GameState::moveTileRight); }
