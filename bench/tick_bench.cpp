// Kept nets against walking every net on every read, on the full board and
// on 10 000 LEDs sharing one supply pin. Argument 0 walks, 1 keeps.
#include "full_board.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace kelto {
namespace {

const TPaletteItem& ItemOf(TOwnerType type)
{
    for (const TPaletteItem& item : PaletteItems())
        if (item.Type == type)
            return item;
    std::abort();
}

void Report(benchmark::State& state, const char* rate)
{
    state.counters[rate] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_FullBoardTick(benchmark::State& state)
{
    TSimuBoard board;
    BuildFullBoard(board);
    board.Engine().SetNetCache(state.range(0) != 0);
    const std::vector<TSimuPart*> parts = PlacedParts(board);
    double time = 0.0;
    for (auto _ : state) {
        time += 0.001;
        board.Engine().RunTick(parts, 0.001, time);
    }
    Report(state, "ticks_per_second");
}
BENCHMARK(BM_FullBoardTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One read of every pin wired to the microcontroller, inside a tick, as the
// handlers make them.
void BM_FullBoardPinReads(benchmark::State& state)
{
    TSimuBoard board;
    BuildFullBoard(board);
    TSimEngine& engine = board.Engine();
    engine.SetNetCache(state.range(0) != 0);
    const std::vector<TSimuPortInfo*> pins = WiredPins(board);
    int64_t sum = 0;
    engine.SetHandler(otSpeaker, [&](TSimuPart&, double, double) {
        for (const TSimuPortInfo* pin : pins)
            sum += engine.ReadPinLevel(pin);
    });
    std::vector<TSimuPart*> reader{board.Slot(ItemOf(otSpeaker).Item)};
    for (auto _ : state)
        engine.RunTick(reader, 0.001, 0.0);
    benchmark::DoNotOptimize(sum);
    state.counters["reads"] = static_cast<double>(pins.size());
    Report(state, "boards_per_second");
}
BENCHMARK(BM_FullBoardPinReads)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_LedsOnOneSupplyPin(benchmark::State& state)
{
    TSimuBoard board;
    TSimuPart* supply = board.PlaceItem(ItemOf(otVCC).Item);
    for (int i = 0; i < 10000; ++i)
        board.Canvas().CreateConnection(supply->Pin(0), board.CreateFromItem(ItemOf(otLEDA))->Pin(0));
    board.Engine().SetNetCache(state.range(0) != 0);
    const std::vector<TSimuPart*> parts = PlacedParts(board);
    for (auto _ : state)
        board.Engine().RunTick(parts, 0.001, 0.0);
    Report(state, "ticks_per_second");
}
BENCHMARK(BM_LedsOnOneSupplyPin)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelto

BENCHMARK_MAIN();
