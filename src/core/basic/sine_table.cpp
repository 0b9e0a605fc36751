#include "core/basic/sine_table.h"

#include <array>
#include <cmath>
#include <numbers>

namespace kelto {

namespace {

std::array<uint8_t, 360> BuildTable()
{
    std::array<uint8_t, 360> table{};
    for (size_t i = 0; i < table.size(); ++i) {
        const double exact = 128.0 + 127.0 * std::sin(static_cast<double>(i) * std::numbers::pi / 180.0);
        // sin(30 deg) comes out a hair below 0.5; snap such near-halves so the
        // ties round to even (191.5 -> 192, 64.5 -> 64) like the exact values do.
        const double snapped = std::round(exact * 1e9) / 1e9;
        table[i] = static_cast<uint8_t>(std::nearbyint(snapped));
    }
    return table;
}

} // namespace

int16_t SineByte(int16_t degrees)
{
    static const std::array<uint8_t, 360> kTable = BuildTable();
    int32_t r = degrees % 360;
    if (r < 0)
        r += 360;
    return kTable[static_cast<size_t>(r)];
}

} // namespace kelto
