// Our number text must be std::to_chars's and std::from_chars's to the byte:
// the runner's outputs are compared byte for byte across builds.
#include "core/numbers/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace kelto {
namespace {

template <typename T> std::string Standard(T value)
{
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

template <typename T> void ExpectSameAsStandard(T value)
{
    EXPECT_EQ(ShortestText(value), Standard(value)) << std::hexfloat << value;
}

TEST(NumberText, ShortestTextIsToCharsAtTheEdges)
{
    for (const double value : {0.0,
                               -0.0,
                               0.1,
                               0.3,
                               1.0,
                               100.0,
                               0.001,
                               0.0001,
                               1e15,
                               1e16,
                               1e21,
                               1e22,
                               123e15,
                               2e-5,
                               9007199254740993.0,
                               1.2345678901234568e20,
                               5e-324,
                               std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()})
        ExpectSameAsStandard(value);
    for (const float value :
         {0.3f, 1e10f, 1.2345678e10f, 16777216.0f, 1e-45f, std::numeric_limits<float>::max()})
        ExpectSameAsStandard(value);
    // Powers of two have a narrower gap below them than above.
    for (int exponent = -1074; exponent <= 1023; ++exponent)
        ExpectSameAsStandard(std::ldexp(1.0, exponent));
    for (int exponent = -149; exponent <= 127; ++exponent)
        ExpectSameAsStandard(std::ldexp(1.0f, exponent));
}

TEST(NumberText, ShortestTextIsToCharsForRandomBits)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 30000; ++i) {
        const uint64_t bits = random();
        ExpectSameAsStandard(std::bit_cast<double>(bits));
        ExpectSameAsStandard(std::bit_cast<float>(static_cast<uint32_t>(bits)));
        // Short decimals, as samples and option values mostly are.
        ExpectSameAsStandard(static_cast<double>(bits % 100000) / 1000.0);
    }
}

TEST(NumberText, ReadDecimalTakesWhatFromCharsTakes)
{
    for (const char* text :
         {"1",   "-1",   "+1",       " 1",      "1 ",     "0x10",  "1.",         ".5",   "-.5",
          "1e",  "1e+",  "1e5",      "1E-5",    "nan",    "-nan",  "NaN(abc_1)", "nan(", "nan(a-b)",
          "inf", "-INF", "infinity", "infinit", "1e-400", "1e400", "4e-320",     "-0",   "",
          "-",   ".",    "1.5.",     "1e5.",    "00012",  "0.3",   "1e-05"}) {
        SCOPED_TRACE(text);
        const std::string_view view(text);
        double expected = 0;
        const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), expected);
        const std::optional<double> read = ReadDecimal(view);
        ASSERT_EQ(read.has_value(), error == std::errc() && end == view.data() + view.size());
        if (read && !std::isnan(expected)) {
            EXPECT_EQ(std::bit_cast<uint64_t>(*read), std::bit_cast<uint64_t>(expected));
        }
    }
}

} // namespace
} // namespace kelto
