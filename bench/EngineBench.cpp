#include "UFunc.h"

#include <benchmark/benchmark.h>

using namespace pomrola;

namespace {

// A different deal for each iteration, walking through the day.
std::uint32_t NextTime(std::uint32_t& t)
{
    t = (t + 7919) % MillisecondsPerDay;
    return t;
}

GameState SettledGame(std::uint32_t t)
{
    GameState state;
    NewGame(state, t);
    return state;
}

void BM_NewGame(benchmark::State& bench)
{
    GameState state;
    std::uint32_t t = 0;
    for (auto _ : bench) {
        NewGame(state, NextTime(t));
        benchmark::DoNotOptimize(state);
    }
}
BENCHMARK(BM_NewGame);

void BM_CountMoves(benchmark::State& bench)
{
    GameState state = SettledGame(45'296'789);
    for (auto _ : bench) {
        CountMoves(state);
        benchmark::DoNotOptimize(state.MovesLeft);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CountMoves);

void BM_FindLinesSettled(benchmark::State& bench)
{
    GameState state = SettledGame(45'296'789);
    for (auto _ : bench) {
        FindLines(state);
        benchmark::DoNotOptimize(state.LinesFound);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FindLinesSettled);

// One accepted move resolved as the player sees it: swap, lines, then passes
// of find, drop and refill until a refilled board has no line, then count.
void BM_AcceptedMoveCascade(benchmark::State& bench)
{
    // Find a deal and an accepted swap once; replay it each iteration.
    GameState start;
    std::uint32_t t = 1;
    for (;;) {
        start = SettledGame(NextTime(t));
        for (int c = 1; c < BoardSize && start.X1 == 0; ++c)
            for (int r = 1; r <= BoardSize && start.X1 == 0; ++r) {
                GameState probe = start;
                probe.X1 = c, probe.Y1 = r, probe.X2 = c + 1, probe.Y2 = r;
                SwapCells(probe);
                FindLines(probe);
                if (probe.LinesFound)
                    start.X1 = c, start.Y1 = r, start.X2 = c + 1, start.Y2 = r;
            }
        if (start.X1 != 0)
            break;
    }
    for (auto _ : bench) {
        GameState state = start;
        SwapCells(state);
        FindLines(state);
        while (state.LinesFound) {
            FindLines(state);
            DropBalls(state);
            RefillBoard(state);
        }
        CountMoves(state);
        benchmark::DoNotOptimize(state);
    }
}
BENCHMARK(BM_AcceptedMoveCascade);

}  // namespace

BENCHMARK_MAIN();
