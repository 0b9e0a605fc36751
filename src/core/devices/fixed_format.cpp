#include "core/devices/fixed_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kelto {

namespace {

constexpr int kPrecision = 15;

std::string_view FormatWhole(double value, int digits, TFixedText& buffer)
{
    char* end = buffer.data();
    if (value < 0)
        *end++ = '-';
    end = std::to_chars(end, buffer.data() + buffer.size(), static_cast<uint64_t>(std::fabs(value))).ptr;
    if (digits > 0) {
        *end++ = '.';
        end = std::fill_n(end, digits, '0');
    }
    return {buffer.data(), static_cast<size_t>(end - buffer.data())};
}

} // namespace

std::string_view FormatFixed(double value, int digits, TFixedText& buffer)
{
    digits = digits < 0 ? 0 : (digits > kPrecision ? kPrecision : digits);
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";

    // Whole numbers of up to 15 digits need no rounding: their digits are exact.
    if (std::fabs(value) < 1e15 && std::trunc(value) == value)
        return FormatWhole(value, digits, buffer);

    // The 15 significant digits d[0..14] of |value| = 0.d0d1... x 10^(point).
    std::array<char, 40> scientific{};
    std::snprintf(scientific.data(), scientific.size(), "%.*e", kPrecision - 1, std::fabs(value));
    std::array<int, kPrecision + 1> mantissa{};
    int count = 0;
    const char* p = scientific.data();
    for (; *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa[static_cast<size_t>(count++)] = *p - '0';
    int point = static_cast<int>(std::strtol(p + 1, nullptr, 10)) + 1;

    // Round at the last decimal wanted; a carry out of the first digit
    // shifts the point.
    const int kept = point + digits;
    if (kept < 0) {
        count = 0;
    } else if (kept < count) {
        const bool up = mantissa[static_cast<size_t>(kept)] >= 5;
        count = kept;
        for (int i = count - 1; up && i >= -1; --i) {
            if (i < 0) {
                for (int j = count; j > 0; --j)
                    mantissa[static_cast<size_t>(j)] = mantissa[static_cast<size_t>(j - 1)];
                mantissa[0] = 1;
                ++count;
                ++point;
                break;
            }
            if (++mantissa[static_cast<size_t>(i)] < 10)
                break;
            mantissa[static_cast<size_t>(i)] = 0;
        }
    }
    const auto digitAt = [&](int position) {
        return position >= 0 && position < count
                   ? static_cast<char>('0' + mantissa[static_cast<size_t>(position)])
                   : '0';
    };

    bool nonZero = false;
    for (int i = 0; i < count; ++i)
        nonZero = nonZero || mantissa[static_cast<size_t>(i)] != 0;
    size_t length = 0;
    const auto put = [&](char c) {
        if (length + 1 < buffer.size())
            buffer[length++] = c;
    };
    if (value < 0 && nonZero)
        put('-');
    if (point <= 0)
        put('0');
    for (int i = 0; i < point; ++i)
        put(digitAt(i));
    if (digits > 0) {
        put('.');
        for (int i = 0; i < digits; ++i)
            put(digitAt(point + i));
    }
    return {buffer.data(), length};
}

} // namespace kelto
