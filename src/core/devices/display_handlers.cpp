// LEDs follow their net every tick; segment displays and matrices are
// multiplexed: a digit or row selected by a low pin takes the levels of the
// segment or column pins, and keeps them while it is not selected.
#include "core/devices/display_handlers.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/sim/sim_engine.h"

#include <algorithm>
#include <array>

namespace kelto {

namespace {

constexpr int16_t kLow = 0;
constexpr int16_t kHigh = 1;
constexpr int kSegmentsPerDigit = 8;
constexpr int kFirstDigitPin = 8;

// An undriven LED is dark: only a driven net of the lighting level lights it.
template <typename TLed> void UpdateLed(TSimEngine& engine, TLed& led, int16_t lightingLevel)
{
    const uint8_t lit = engine.ReadPinLevel(led.Port(0)) == lightingLevel ? 1 : 0;
    if (lit != led.FLit) {
        led.FLit = lit;
        led.FBody->Invalidate();
    }
}

// Copies a selected digit's or row's new dots in place; true when any changed.
template <size_t N> bool Latch(uint8_t* cells, const std::array<uint8_t, N>& dots)
{
    if (std::equal(dots.begin(), dots.end(), cells))
        return false;
    std::copy(dots.begin(), dots.end(), cells);
    return true;
}

template <typename TDisplay> void UpdateSegments(TSimEngine& engine, TDisplay& display)
{
    constexpr int digits =
        static_cast<int>(std::tuple_size_v<decltype(display.FSegments)>) / kSegmentsPerDigit;
    // Reads change nothing, so the segment pins are read once, when a digit first needs them.
    std::array<uint8_t, kSegmentsPerDigit> segments{};
    bool segmentsRead = false;
    bool changed = false;
    for (int d = 0; d < digits; ++d) {
        if (engine.ReadPinLevel(display.Port(kFirstDigitPin + d)) != kLow)
            continue;
        if (!segmentsRead)
            for (int s = 0; s < kSegmentsPerDigit; ++s)
                segments[static_cast<size_t>(s)] = engine.ReadPinLevel(display.Port(s)) == kHigh ? 1 : 0;
        segmentsRead = true;
        changed = Latch(&display.FSegments[static_cast<size_t>(d * kSegmentsPerDigit)], segments) || changed;
    }
    if (changed)
        display.FBody->Invalidate();
}

template <int N, typename TMatrix> void UpdateMatrix(TSimEngine& engine, TMatrix& matrix)
{
    static_assert(N * N == std::tuple_size_v<decltype(matrix.FDots)>);
    std::array<int16_t, N> rows;
    bool selected = false;
    for (int k = 0; k < N; ++k) {
        rows[static_cast<size_t>(k)] = engine.ReadPinLevel(matrix.Port(k));
        selected = selected || rows[static_cast<size_t>(k)] == kLow;
    }
    // Reads change nothing: the columns matter only to a selected row.
    if (!selected)
        return;
    std::array<uint8_t, N> columns;
    for (int k = 0; k < N; ++k)
        columns[static_cast<size_t>(k)] = engine.ReadPinLevel(matrix.Port(N + k)) == kHigh ? 1 : 0;
    bool changed = false;
    for (int row = 0; row < N; ++row)
        if (rows[static_cast<size_t>(row)] == kLow)
            changed = Latch(&matrix.FDots[static_cast<size_t>(row * N)], columns) || changed;
    if (changed)
        matrix.FBody->Invalidate();
}

} // namespace

void UpdateLEDA(TSimEngine& engine, TSimuLEDA& led)
{
    UpdateLed(engine, led, kLow);
}

void UpdateLEDB(TSimEngine& engine, TSimuLEDB& led)
{
    UpdateLed(engine, led, kHigh);
}

void UpdateSegDispTwo(TSimEngine& engine, TSimuSegDispTwo& display)
{
    UpdateSegments(engine, display);
}

void UpdateSegDispSix(TSimEngine& engine, TSimuSegDispSix& display)
{
    UpdateSegments(engine, display);
}

// The bar is not latched: each LED is lit exactly while its pin is driven low.
void UpdateBitDisp(TSimEngine& engine, TSimuBitDisp& display)
{
    std::array<uint8_t, 8> lit{};
    for (size_t i = 0; i < lit.size(); ++i)
        lit[i] = engine.ReadPinLevel(display.Port(static_cast<int32_t>(i))) == kLow ? 1 : 0;
    if (lit != display.FLit) {
        display.FLit = lit;
        display.FBody->Invalidate();
    }
}

void UpdateDotMat1616(TSimEngine& engine, TSimuDotMat1616& matrix)
{
    UpdateMatrix<16>(engine, matrix);
}

void UpdateDotMat3232(TSimEngine& engine, TSimuDotMat3232& matrix)
{
    UpdateMatrix<32>(engine, matrix);
}

} // namespace kelto
