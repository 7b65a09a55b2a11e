#include "Board.h"

#include "Random.h"

namespace pomrola {

const std::uint32_t ColourTable[ColourTableSize] = {
    SystemButtonFace,
    0xFF0000,  // blue
    0x0000FF,  // red
    0x008000,  // green
    0x000000,  // black
    0x00FFFF,  // yellow
    0xFFFF00,  // aqua
    0x808080,  // gray
    0xFF00FF,  // fuchsia
    0x000080,  // maroon
    0x00FF00,  // lime
};

bool Board::isFull() const
{
    for (const auto& row : cells)
        for (ColourCode code : row)
            if (code == 0)
                return false;
    return true;
}

bool LookUpColour(ColourCode code, std::uint32_t& colour)
{
    if (code < 0 || code >= ColourTableSize)
        return false;
    colour = ColourTable[code];
    return true;
}

void FillBoard(GameState& state, std::uint32_t utcMillisecondsOfDay)
{
    ReseedRandom(state, utcMillisecondsOfDay);
    for (int row = 1; row <= BoardSize; ++row)
        for (int column = 1; column <= BoardSize; ++column)
            state.board.at(column, row) = RandomBelow(state, 8) + 1;
}

void SwapCells(GameState& state)
{
    ColourCode& first = state.board.at(state.X1, state.Y1);
    ColourCode& second = state.board.at(state.X2, state.Y2);
    const ColourCode firstCode = first;
    first = second;
    second = static_cast<ColourCode>(static_cast<std::uint32_t>(firstCode) & 0xFFu);
}

}  // namespace pomrola
