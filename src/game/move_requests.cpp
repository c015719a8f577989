// Move requests: clicks on the cells, the number-pad keys, and the four
// guarded requests that wrap a tile move with the clock and the solved check.
#include "game_state.h"

#include "key_codes.h"

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

void GameState::Form_KeyDown(int keyCode)
{
    if (!m_board.BoardActive)
        return;
    switch (keyCode) {
    case KeyCode::Numpad8: RequestMoveUp(); break;
    case KeyCode::Numpad2: RequestMoveDown(); break;
    case KeyCode::Numpad4: RequestMoveLeft(); break;
    case KeyCode::Numpad6: RequestMoveRight(); break;
    case KeyCode::F1: ShowHowToPlay(); break;
    default: break;
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
