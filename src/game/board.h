#pragma once

#include <array>

// The board: four rows of four cells, numbered 0 to 15 from the top left,
// holding the tiles 1 to 15 and the blank.
class Board
{
public:
    static constexpr int kSide = 4;
    static constexpr int kCells = kSide * kSide;
    // What a cell holds when it is the blank.
    static constexpr int kBlank = 0;

    // The way a tile slides into the blank: Up takes the tile below it.
    enum class Slide { Up, Down, Left, Right };
    // The slide that takes the same tile back.
    static constexpr Slide reverse(Slide slide)
    {
        constexpr Slide kReverse[] = {Slide::Down, Slide::Up, Slide::Right, Slide::Left};
        return kReverse[static_cast<int>(slide)];
    }

    // Laid out solved: the tiles in order, the blank in the last cell.
    Board();
    // The tiles cell by cell: 1 to 15 and one kBlank, each once.
    explicit Board(const std::array<int, kCells> &tiles) : m_tiles(tiles) {}

    int tileAt(int cell) const { return m_tiles[static_cast<std::size_t>(cell)]; }
    int blankCell() const;
    // Slides the tile next to the blank into it; at the edge nothing moves
    // and the answer is false.
    bool slide(Slide slide);
    // The tiles 1 to 15 in order in the first fifteen cells.
    bool isSolved() const;

    bool operator==(const Board &) const = default;

private:
    std::array<int, kCells> m_tiles;
};
