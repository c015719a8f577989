// Move requests: clicks on the cells, the number-pad keys, and the four
// guarded requests that wrap a tile move with the clock and the solved check.
#include "game_state.h"

void GameState::cmdcheck_Click(int index)
{
    if (!m_board.BoardActive)
        return;
    LocateBlank();
    const int blank = m_board.BlankIndex;
    // No test for rows here: the tile moves refuse a wrap across rows.
    if (index == blank - 1)
        RequestMoveRight();
    else if (index == blank + 1)
        RequestMoveLeft();
    else if (index == blank + 4)
        RequestMoveUp();
    else if (index == blank - 4)
        RequestMoveDown();
}

void GameState::Form_KeyDown(KeyCommand key)
{
    if (!m_board.BoardActive)
        return;
    switch (key) {
    case KeyCommand::MoveUp: RequestMoveUp(); break;
    case KeyCommand::MoveDown: RequestMoveDown(); break;
    case KeyCommand::MoveLeft: RequestMoveLeft(); break;
    case KeyCommand::MoveRight: RequestMoveRight(); break;
    case KeyCommand::Help: ShowHowToPlay(); break;
    }
}

template <typename Move> void GameState::guardedRequest(Move move)
{
    setClockRunning(true);
    m_controls.cmdpause.enabled = true;
    (this->*move)();
    CheckSolved();
    if (!m_board.Solved && m_clock.FirstMovePending) {
        m_clock.SecondsLeft = 60;
        m_clock.FirstMovePending = false;
    }
}

void GameState::RequestMoveUp() { guardedRequest(&GameState::MoveUp); }
void GameState::RequestMoveDown() { guardedRequest(&GameState::MoveDown); }
void GameState::RequestMoveLeft() { guardedRequest(&GameState::MoveLeft); }
void GameState::RequestMoveRight() { guardedRequest(&GameState::MoveRight); }
