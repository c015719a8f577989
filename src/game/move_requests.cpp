// Move requests: clicks on the cells, the number-pad keys, and the request
// that wraps a tile move with the clock and the solved check.
#include "game_state.h"

void GameState::clickTile(int index)
{
    if (m_phase != Phase::Playing)
        return;
    const int blank = m_board.tiles.blankCell();
    // No test for rows here: the tile moves refuse a wrap across rows.
    if (index == blank - 1)
        requestMove(Board::Slide::Right);
    else if (index == blank + 1)
        requestMove(Board::Slide::Left);
    else if (index == blank + Board::kSide)
        requestMove(Board::Slide::Up);
    else if (index == blank - Board::kSide)
        requestMove(Board::Slide::Down);
}

void GameState::pressKey(KeyCommand key)
{
    if (m_phase != Phase::Playing)
        return;
    switch (key) {
    case KeyCommand::MoveUp: requestMove(Board::Slide::Up); break;
    case KeyCommand::MoveDown: requestMove(Board::Slide::Down); break;
    case KeyCommand::MoveLeft: requestMove(Board::Slide::Left); break;
    case KeyCommand::MoveRight: requestMove(Board::Slide::Right); break;
    case KeyCommand::Help: showHowToPlay(); break;
    }
}

void GameState::requestMove(Board::Slide slide)
{
    setClockRunning(true);
    m_clock.underWay = true;
    moveTile(slide);
    checkSolved();
    if (!m_board.solved && m_clock.firstMovePending) {
        m_clock.secondsLeft = 60;
        m_clock.firstMovePending = false;
    }
}
