// Reading generated circuit files of 100 000 and 400 000 wires between
// 2 000 LEDs: spread over all of them (range 1 = 0), or all on the first
// LED's pin (range 1 = 1), the shape that once cost a pass over the pin's
// wires for every wire taken away. Loading must grow with the wire count.
#include "core/board/board.h"
#include "core/board/board_file.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace kelto {
namespace {

constexpr int kLeds = 2000;

std::string WriteWireFile(int64_t wires, bool onOnePin)
{
    std::string folder = (std::filesystem::temp_directory_path() / "kelto-load-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr)
        std::abort();
    const std::string path = folder + "/wires.dps";
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<KELTOSIMU>\n<COMP>\n";
    for (int i = 0; i < kLeds; ++i)
        out << "<record><CtrlNode TYPE=\"3\"><POSX>" << (i % 50) * 100 << "</POSX><POSY>" << (i / 50) * 200
            << "</POSY><MODEL>1</MODEL></CtrlNode></record>\n";
    out << "</COMP>\n<CONN>\n";
    for (int64_t k = 0; k < wires; ++k) {
        const int64_t from = onOnePin ? 0 : k % kLeds;
        int64_t to = (k * 7 + 1) % kLeds;
        if (to == from)
            to = (to + 1) % kLeds;
        out << "<record><CtrlNode TYPE=\"1\"><SRCT>" << from << "</SRCT><SRCI>0</SRCI><DSTT>" << to
            << "</DSTT><DSTI>0</DSTI><POINT/></CtrlNode></record>\n";
    }
    out << "</CONN>\n</KELTOSIMU>\n";
    if (!out.flush())
        std::abort();
    return path;
}

void BM_LoadWires(benchmark::State& state)
{
    const std::string path = WriteWireFile(state.range(0), state.range(1) != 0);
    for (auto _ : state) {
        auto board = std::make_unique<TSimuBoard>();
        if (!LoadCircuitFile(*board, path).Ok)
            state.SkipWithError("the generated file did not load");
        state.PauseTiming();
        board.reset();
        state.ResumeTiming();
    }
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
    state.counters["wires"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_LoadWires)
    ->Args({100'000, 0})
    ->Args({400'000, 0})
    ->Args({100'000, 1})
    ->Args({400'000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// Taking a loaded circuit apart again, as opening the next file does.
void BM_ClearWires(benchmark::State& state)
{
    const std::string path = WriteWireFile(state.range(0), state.range(1) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        TSimuBoard board;
        if (!LoadCircuitFile(board, path).Ok)
            state.SkipWithError("the generated file did not load");
        state.ResumeTiming();
        board.ClearCircuit();
    }
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}
BENCHMARK(BM_ClearWires)
    ->Args({400'000, 0})
    ->Args({400'000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace
} // namespace kelto

BENCHMARK_MAIN();
