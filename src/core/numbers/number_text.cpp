#include "core/numbers/number_text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>

namespace kelto {

namespace {

// A value as Digits x 10^(Exponent - Digits' length + 1): Exponent is the
// power of ten of the first digit.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
};

template <typename T> T ReadBack(const char* text);
template <> double ReadBack<double>(const char* text)
{
    return std::strtod(text, nullptr);
}
template <> float ReadBack<float>(const char* text)
{
    return std::strtof(text, nullptr);
}

template <typename T> bool ReadsBackAs(const TDecimal& decimal, T value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%se%d", decimal.Digits.c_str(),
                  decimal.Exponent - static_cast<int>(decimal.Digits.size()) + 1);
    return ReadBack<T>(text) == value;
}

// The decimal one unit of the last digit away, keeping the digit count.
TDecimal Step(TDecimal decimal, int direction)
{
    const size_t count = decimal.Digits.size();
    std::string& digits = decimal.Digits;
    size_t i = count;
    const char wrapFrom = direction > 0 ? '9' : '0';
    const char wrapTo = direction > 0 ? '0' : '9';
    while (i > 0 && digits[i - 1] == wrapFrom)
        digits[--i] = wrapTo;
    if (i > 0) {
        digits[i - 1] = static_cast<char>(digits[i - 1] + direction);
        if (digits[0] != '0')
            return decimal;
        // 10..0 - 1 = 09..9: one power of ten lower.
        digits = std::string(count, '9');
        --decimal.Exponent;
        return decimal;
    }
    // 9..9 + 1 = 10..0: one power of ten higher.
    digits = '1' + std::string(count - 1, '0');
    ++decimal.Exponent;
    return decimal;
}

// printf's rounding of |value| to `count` digits.
template <typename T> TDecimal Rounded(T value, int count)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", count - 1, static_cast<double>(value));
    TDecimal decimal;
    const char* p = text;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            decimal.Digits += *p;
    decimal.Exponent = std::atoi(p + 1);
    return decimal;
}

// Of the decimals with `count` digits only the two around the value can
// read back, and the nearer one is printf's rounding.
template <typename T> std::optional<TDecimal> ReadingBack(T value, int count)
{
    const TDecimal nearer = Rounded(value, count);
    if (ReadsBackAs(nearer, value))
        return nearer;
    for (const int direction : {1, -1})
        if (TDecimal other = Step(nearer, direction); ReadsBackAs(other, value))
            return other;
    return std::nullopt;
}

// The shortest decimal that reads back as |value|: a count that reads back
// makes every longer one read back, so counts doubling from 1 find a bound
// (short values, the most common, at once) and halving finds the shortest.
template <typename T> TDecimal ShortestDecimal(T value)
{
    const int maxDigits = std::numeric_limits<T>::max_digits10;
    int failed = 0;
    int high = 1;
    std::optional<TDecimal> best;
    while (!(best = ReadingBack(value, high))) {
        failed = high;
        high = std::min(2 * high, maxDigits);
    }
    while (high - failed > 1) {
        const int middle = (failed + high) / 2;
        if (std::optional<TDecimal> found = ReadingBack(value, middle)) {
            best = std::move(found);
            high = middle;
        } else {
            failed = middle;
        }
    }
    return *best;
}

std::string Scientific(const TDecimal& decimal)
{
    std::string text(1, decimal.Digits[0]);
    if (decimal.Digits.size() > 1)
        text += '.' + decimal.Digits.substr(1);
    const int exponent = decimal.Exponent;
    text += exponent < 0 ? "e-" : "e+";
    const std::string power = std::to_string(std::abs(exponent));
    return text + (power.size() < 2 ? "0" : "") + power;
}

// Whole numbers print all their digits, as printf("%.0f") does, not the
// shortest digits padded with zeros.
template <typename T> std::string Fixed(const TDecimal& decimal, T value)
{
    const int count = static_cast<int>(decimal.Digits.size());
    const int exponent = decimal.Exponent;
    if (exponent >= count - 1) {
        char text[400];
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
        return text;
    }
    if (exponent >= 0)
        return decimal.Digits.substr(0, static_cast<size_t>(exponent) + 1) + '.' +
               decimal.Digits.substr(static_cast<size_t>(exponent) + 1);
    return "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + decimal.Digits;
}

template <typename T> std::string Shortest(T value)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isinf(value))
        return sign + "inf";
    if (value == 0)
        return sign + "0";
    const T magnitude = std::fabs(value);
    const TDecimal decimal = ShortestDecimal(magnitude);
    const std::string fixed = Fixed(decimal, magnitude);
    const std::string scientific = Scientific(decimal);
    return sign + (fixed.size() <= scientific.size() ? fixed : scientific);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool StartsWithWord(std::string_view text, std::string_view word)
{
    if (text.size() < word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        if ((text[i] | 0x20) != word[i])
            return false;
    return true;
}

// Digits with at most one point and at least one digit, then an optional
// exponent with at least one digit.
bool IsDecimalNumber(std::string_view text)
{
    size_t i = 0;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i == text.size())
        return true;
    if ((text[i] | 0x20) != 'e')
        return false;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const size_t powerStart = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i > powerStart && i == text.size();
}

bool IsNotANumber(std::string_view text)
{
    if (!StartsWithWord(text, "nan"))
        return false;
    text.remove_prefix(3);
    if (text.empty())
        return true;
    if (text.front() != '(' || text.back() != ')')
        return false;
    for (const char c : text.substr(1, text.size() - 2))
        if (!IsDigit(c) && !IsLetter(c) && c != '_')
            return false;
    return true;
}

bool IsDecimalText(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return IsDecimalNumber(text) || IsNotANumber(text) || (text.size() == 3 && StartsWithWord(text, "inf")) ||
           (text.size() == 8 && StartsWithWord(text, "infinity"));
}

} // namespace

std::string ShortestText(double value)
{
    return Shortest(value);
}

std::string ShortestText(float value)
{
    return Shortest(value);
}

std::optional<double> ReadDecimal(std::string_view text)
{
    if (!IsDecimalText(text))
        return std::nullopt;
    const std::string copy(text);
    errno = 0;
    const double value = std::strtod(copy.c_str(), nullptr);
    // Subnormal results are in range; only overflow and underflow to zero are not.
    if (errno == ERANGE && (value == 0 || std::isinf(value)))
        return std::nullopt;
    return value;
}

bool ReadNumber(std::string_view text, double& value)
{
    const std::optional<double> read = ReadDecimal(text);
    if (read)
        value = *read;
    return read.has_value();
}

} // namespace kelto
