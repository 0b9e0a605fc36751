// Numbers as text the way the standard library's charconv writes and reads
// them, done on printf and strtod so every build, the WebAssembly one too,
// writes the same bytes.
#pragma once

#include <charconv>
#include <concepts>
#include <optional>
#include <string>
#include <string_view>

namespace kelto {

// The fewest digits that read back as the same value, fixed or scientific
// notation, whichever is shorter (fixed on a tie): std::to_chars without a format.
std::string ShortestText(double value);
std::string ShortestText(float value);

// The whole text as a decimal number in std::from_chars's general form (no
// leading space or plus sign, no hexadecimal); nothing when it is not one or
// its value is out of range.
std::optional<double> ReadDecimal(std::string_view text);

// The whole text as a number: integers as std::from_chars reads them,
// doubles as ReadDecimal; `value` is left alone when the text is not one.
template <std::integral T> bool ReadNumber(std::string_view text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}
bool ReadNumber(std::string_view text, double& value);

} // namespace kelto
