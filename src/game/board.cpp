// The board: locating the blank, the four tile moves and the move history.
#include "game_state.h"

void GameState::locateBlank()
{
    for (int i = 0; i < 16; ++i) {
        if (!m_board.cmdcheck[i].visible) {
            m_board.BlankIndex = static_cast<qint16>(i);
            return;
        }
    }
}

void GameState::labelCells()
{
    for (int i = 0; i < 16; ++i)
        m_board.cmdcheck[i].caption = QString::number(i + 1);
    m_board.cmdcheck[15].visible = false;
}

// Moves the tile of cell `neighbour` into the blank and records the move. The
// cell that receives the tile takes its caption and is shown first; then the
// cell the tile left is emptied and hidden.
void GameState::moveTile(int neighbour, const QString &code)
{
    const int blank = m_board.BlankIndex;
    if (neighbour < 0 || neighbour > 15 || blank < 0 || blank > 15)
        return;
    auto &cells = m_board.cmdcheck;
    cells[blank].caption = cells[neighbour].caption;
    cells[blank].visible = true;
    cells[neighbour].caption = QString();
    cells[neighbour].visible = false;
    m_board.MoveHistory.last() = code;
    m_board.MoveHistory.append(QString());
}

void GameState::moveTileUp()
{
    locateBlank();
    const int n = m_board.BlankIndex + 4;
    if (n >= 16)
        return;
    moveTile(n, QStringLiteral("u"));
}

void GameState::moveTileLeft()
{
    locateBlank();
    const int n = m_board.BlankIndex + 1;
    if (n % 4 == 0)
        return;
    moveTile(n, QStringLiteral("l"));
}

void GameState::moveTileRight()
{
    locateBlank();
    const int n = m_board.BlankIndex - 1;
    if ((n + 1) % 4 == 0)
        return;
    moveTile(n, QStringLiteral("r"));
}

void GameState::moveTileDown()
{
    locateBlank();
    const int n = m_board.BlankIndex - 4;
    if (n < 0)
        return;
    moveTile(n, QStringLiteral("d"));
}
