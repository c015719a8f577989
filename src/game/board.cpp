// The board: its tiles, the tile moves and the move history.
#include "game_state.h"

#include <algorithm>

Board::Board()
{
    for (int cell = 0; cell < kCells - 1; ++cell)
        m_tiles[static_cast<std::size_t>(cell)] = cell + 1;
    m_tiles.back() = kBlank;
}

int Board::blankCell() const
{
    return static_cast<int>(std::find(m_tiles.begin(), m_tiles.end(), kBlank) - m_tiles.begin());
}

bool Board::slide(Slide slide)
{
    const int blank = blankCell();
    const int column = blank % kSide;
    int from = -1;
    switch (slide) {
    case Slide::Up: from = blank + kSide < kCells ? blank + kSide : -1; break;
    case Slide::Down: from = blank - kSide; break;
    case Slide::Left: from = column < kSide - 1 ? blank + 1 : -1; break;
    case Slide::Right: from = column > 0 ? blank - 1 : -1; break;
    }
    if (from < 0)
        return false;
    std::swap(m_tiles[static_cast<std::size_t>(blank)], m_tiles[static_cast<std::size_t>(from)]);
    return true;
}

bool Board::isSolved() const
{
    for (int cell = 0; cell < kCells - 1; ++cell) {
        if (m_tiles[static_cast<std::size_t>(cell)] != cell + 1)
            return false;
    }
    return true;
}

void GameState::moveTile(Board::Slide slide)
{
    if (m_board.tiles.slide(slide))
        m_board.moveHistory.push_back(slide);
}
