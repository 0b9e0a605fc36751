// Running programs headless, as the runner does: the full board (its displays
// never change) and the busy board (every display, the voltmeter and both
// probes change all the time). Argument 0 is the full board, 1 the busy one.
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/files/program_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace kelto {
namespace {

const char* const kBoards[] = {"full_board", "busy_board"};

void LoadAndRun(TSimuBoard& board, const std::string& name)
{
    const std::string base = std::string(KELTO_BENCH_DATA_DIR) + "/" + name;
    std::vector<std::string> lines;
    if (!LoadCircuitFile(board, base + ".dps").Ok || !LoadProgramFile(base + ".txt", lines).Ok)
        std::abort();
    board.SetEditorLines(ProgramLinesAsGbk(lines));
    board.ButtonRUNClick();
}

void BM_BoardRun(benchmark::State& state)
{
    TSimuBoard board;
    LoadAndRun(board, kBoards[state.range(0)]);
    double time = 0.0;
    for (auto _ : state) {
        time += 0.001;
        board.RunTick(0.001, time);
    }
    state.SetLabel(kBoards[state.range(0)]);
    state.counters["ticks_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BoardRun)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kelto

BENCHMARK_MAIN();
