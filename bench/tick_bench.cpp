// Ticks per second of a full board: every palette item placed and every
// display, gate and expander pin wired to a microcontroller port pin.
#include "core/board/board.h"

#include <benchmark/benchmark.h>

namespace kelto {
namespace {

bool WiredToPorts(TOwnerType type)
{
    switch (type) {
    case otSegDispTwo:
    case otSegDispSix:
    case otBitDisp:
    case otDotMat1616:
    case otDotMat3232:
    case otLCD1602:
    case otNOTGate:
    case otANDGate:
    case otORGate:
    case otANDNGate:
    case otORNGate:
    case otOutExpander:
        return true;
    default:
        return false;
    }
}

void BuildFullBoard(TSimuBoard& board)
{
    for (const TPaletteItem& item : PaletteItems())
        board.PlaceItem(item.Item);
    TSimuPart* mcu = board.Slot(kMcuItem);
    std::vector<TdxFcObject*> portPins;
    for (int entry = kPortBBase; entry < kPortDBase + 8; ++entry)
        if (McuPortPinMap[static_cast<size_t>(entry)] >= 0)
            portPins.push_back(mcu->Pin(McuPortPinMap[static_cast<size_t>(entry)]));
    size_t next = 0;
    for (int32_t i = 0; i < board.PartCount(); ++i) {
        TSimuPart& part = *board.Part(i);
        if (!WiredToPorts(part.FOwnerType))
            continue;
        for (TdxFcObject* pin : part.FPins)
            board.Canvas().CreateConnection(portPins[next++ % portPins.size()], pin);
    }
}

void BM_FullBoardTick(benchmark::State& state)
{
    TSimuBoard board;
    BuildFullBoard(board);
    double time = 0.0;
    for (auto _ : state) {
        time += 0.001;
        board.RunTick(0.001, time);
    }
    state.counters["ticks_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                            benchmark::Counter::kIsRate);
    state.counters["wires"] = board.Canvas().ConnectionCount();
}
BENCHMARK(BM_FullBoardTick)->Unit(benchmark::kMicrosecond);

// The reads a tick of that board makes once every handler reads its inputs:
// one net read per display, gate and expander pin.
void BM_FullBoardPinReads(benchmark::State& state)
{
    TSimuBoard board;
    BuildFullBoard(board);
    std::vector<const TdxFcObject*> pins;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        if (WiredToPorts(board.Part(i)->FOwnerType))
            for (const TdxFcObject* pin : board.Part(i)->FPins)
                pins.push_back(pin);
    int64_t sum = 0;
    for (auto _ : state)
        for (const TdxFcObject* pin : pins)
            sum += board.Engine().ReadPinLevel(pin);
    benchmark::DoNotOptimize(sum);
    state.counters["reads"] = static_cast<double>(pins.size());
    state.counters["boards_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullBoardPinReads)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kelto

BENCHMARK_MAIN();
