// Fixed-point text of a number as the voltmeter shows it: the value is first
// taken to 15 significant decimal digits, then rounded half away from zero.
#pragma once

#include <array>
#include <string_view>

namespace kelto {

// Enough for any double in fixed notation with a few decimals.
using TFixedText = std::array<char, 400>;

// Writes the text into the buffer and returns a view of it; digits 0..15.
std::string_view FormatFixed(double value, int digits, TFixedText& buffer);

} // namespace kelto
