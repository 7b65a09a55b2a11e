#include "MoveCounter.h"

#include "Board.h"
#include "Lines.h"

#include <array>
#include <bit>

namespace pomrola {

namespace {

struct Offset {
    int row, column;
};

// For each move, the pairs of cells (relative to the ball) that must hold the
// ball's code for the move to complete a line in the target cell.
struct Pattern {
    Offset first, second;
};

// A table laid out by hand.
// clang-format off
constexpr Pattern Patterns[16] = {
    // left
    {{-1, -1}, {+1, -1}}, {{-2, -1}, {-1, -1}}, {{+1, -1}, {+2, -1}}, {{0, -3}, {0, -2}},
    // right
    {{-1, +1}, {+1, +1}}, {{-2, +1}, {-1, +1}}, {{+1, +1}, {+2, +1}}, {{0, +2}, {0, +3}},
    // up
    {{-1, -1}, {-1, +1}}, {{-1, -2}, {-1, -1}}, {{-1, +1}, {-1, +2}}, {{-3, 0}, {-2, 0}},
    // down
    {{+1, -1}, {+1, +1}}, {{+1, -2}, {+1, -1}}, {{+1, +1}, {+1, +2}}, {{+2, 0}, {+3, 0}},
};
// clang-format on

bool onBoard(int row, int column)
{
    return row >= 1 && row <= BoardSize && column >= 1 && column <= BoardSize;
}

// Bitboards: bit (row - 1) * 8 + (column - 1) stands for a cell.
using Bits = std::uint64_t;

constexpr Bits ColumnsFrom(int first, int last)
{
    Bits mask = 0;
    for (int r = 0; r < BoardSize; ++r)
        for (int c = first; c <= last; ++c)
            mask |= Bits{1} << (r * BoardSize + c - 1);
    return mask;
}

// A neighbour step as a bit shift plus the columns where it stays on the board.
struct Step {
    int shift;
    Bits columns;
};

constexpr Step StepFor(Offset o)
{
    return {o.row * BoardSize + o.column,
            o.column >= 0 ? ColumnsFrom(1, BoardSize - o.column) : ColumnsFrom(1 - o.column, BoardSize)};
}

struct PatternSteps {
    Step first, second;
};

constexpr auto MakePatternSteps()
{
    std::array<PatternSteps, 16> steps{};
    for (std::size_t i = 0; i < steps.size(); ++i)
        steps[i] = {StepFor(Patterns[i].first), StepFor(Patterns[i].second)};
    return steps;
}

constexpr auto AllPatternSteps = MakePatternSteps();

// The cells p for which p + step is one of `cells`; rows that leave the board
// fall off the ends of the word, columns that would wrap are masked out.
inline Bits Neighbours(Bits cells, Step step)
{
    const Bits moved = step.shift >= 0 ? cells >> step.shift : cells << -step.shift;
    return moved & step.columns;
}

// The cells of one colour whose ball can complete a line by one move.
Bits MovableBalls(Bits cells)
{
    Bits movable = 0;
    for (const PatternSteps& p : AllPatternSteps)
        movable |= Neighbours(cells, p.first) & Neighbours(cells, p.second);
    return movable & cells;
}

}  // namespace

bool CheckMove(const GameState& state, int column, int row)
{
    const Board& board = state.board;
    const ColourCode code = board.at(column, row);
    auto holds = [&](Offset o) {
        const int r = row + o.row;
        const int c = column + o.column;
        return onBoard(r, c) && board.at(c, r) == code;
    };
    for (const Pattern& pattern : Patterns)
        if (holds(pattern.first) && holds(pattern.second))
            return true;
    return false;
}

// Counts the same balls as CheckMove over all 64 cells, one colour at a time.
void CountMoves(GameState& state)
{
    constexpr int CommonCodes = 9;  // 0..8; anything else comes from an edited saved game
    Bits byCode[CommonCodes] = {};
    Bits others = 0;
    for (int i = 0; i < BoardSize * BoardSize; ++i) {
        const ColourCode code = state.board.cells[i / BoardSize][i % BoardSize];
        if (code >= 0 && code < CommonCodes)
            byCode[code] |= Bits{1} << i;
        else
            others |= Bits{1} << i;
    }

    int moves = 0;
    for (Bits cells : byCode)
        if (std::popcount(cells) >= 3)
            moves += std::popcount(MovableBalls(cells));

    while (others != 0) {
        const int first = std::countr_zero(others);
        const ColourCode code = state.board.cells[first / BoardSize][first % BoardSize];
        Bits cells = 0;
        for (Bits rest = others; rest != 0; rest &= rest - 1) {
            const int i = std::countr_zero(rest);
            if (state.board.cells[i / BoardSize][i % BoardSize] == code)
                cells |= Bits{1} << i;
        }
        moves += std::popcount(MovableBalls(cells));
        others &= ~cells;
    }
    state.MovesLeft = moves;
}

void NewGame(GameState& state, std::uint32_t utcMillisecondsOfDay)
{
    FillBoard(state, utcMillisecondsOfDay);
    SettleBoard(state);
    CountMoves(state);
    state.Score = 0;
}

}  // namespace pomrola
