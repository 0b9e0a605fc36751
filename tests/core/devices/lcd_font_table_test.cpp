// Spot checks of the built-in A00 character set.
#include "lcd_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelto {
namespace {

using namespace kelto::testing;

std::vector<std::string> Picture(int code)
{
    std::vector<std::string> rows;
    for (int row = 0; row < 8; ++row) {
        std::string line;
        for (int column = 0; column < 5; ++column)
            line.push_back(LcdFontTable[static_cast<size_t>(code * 40 + row * 5 + column)] ? '#' : '.');
        rows.push_back(line);
    }
    return rows;
}

TEST(LcdFontTable, GlyphSpotChecks)
{
    struct TCase {
        int Code;
        std::vector<std::string> Rows;
    };
    const TCase cases[] = {
        {'A', {".###.", "#...#", "#...#", "#...#", "#####", "#...#", "#...#", "....."}},
        {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###.", "....."}},
        {'[', {"###..", "#....", "#....", "#....", "#....", "#....", "###..", "....."}},
        {'w', {".....", ".....", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#.", "....."}},
        {0x5C, {"#...#", ".#.#.", "#####", "..#..", "#####", "..#..", "..#..", "....."}}, // yen
        {0x7E, {".....", "..#..", "...#.", "#####", "...#.", "..#..", ".....", "....."}}, // right arrow
        {0xAA, {".....", ".....", "#####", "..#..", "..#..", "..#..", "#####", "....."}}, // small e
        {0xB1, {"#####", "....#", "..#.#", "..##.", "..#..", "..#..", ".#...", "....."}}, // katakana a
        {0xA6, {".....", "#####", "....#", "#####", "....#", "...#.", "..#..", "....."}}, // katakana wo
        {0xC0, {".....", ".####", ".#..#", "#.#.#", "...##", "...#.", ".##..", "....."}}, // katakana ta
        {0xDD, {".....", "##...", ".....", "....#", "....#", "...#.", "###..", "....."}}, // katakana n
        {0xDE, {"..#..", "#..#.", ".#...", ".....", ".....", ".....", ".....", "....."}}, // voicing mark
        {0xE4, {".....", ".....", "#...#", "#...#", "#..##", "###.#", "#....", "....."}}, // mu
        {0xE5, {".....", ".....", ".####", "#.#..", "#..#.", "#...#", ".###.", "....."}}, // sigma
        {0xE6, {".....", ".....", "..##.", ".#..#", "#...#", "####.", "#....", "....."}}, // rho
        {0xEC, {".....", "..#..", ".###.", "#.#..", "#.#.#", ".###.", "..#..", "....."}}, // cent
        {0xF4, {".....", ".....", ".###.", "#...#", "#...#", ".#.#.", "##.##", "....."}}, // omega
        {0xF7, {".....", ".....", "#####", ".#.#.", ".#.#.", ".#.#.", "#..##", "....."}}, // pi
        {0xFF, std::vector<std::string>(8, "#####")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Code);
        EXPECT_EQ(Picture(c.Code), c.Rows);
    }
}

TEST(LcdFontTable, DigitsMatchTheControllerTable)
{
    const std::vector<std::string> digits[10] = {
        {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###.", "....."},
        {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###.", "....."},
        {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####", "....."},
        {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###.", "....."},
        {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#.", "....."},
        {"#####", "#....", "####.", "....#", "....#", "#...#", ".###.", "....."},
        {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###.", "....."},
        {"#####", "#...#", "....#", "...#.", "..#..", "..#..", "..#..", "....."},
        {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###.", "....."},
        {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##..", "....."},
    };
    for (int digit = 0; digit < 10; ++digit) {
        SCOPED_TRACE(digit);
        EXPECT_EQ(Picture('0' + digit), digits[digit]);
    }
}

TEST(LcdFontTable, BlankCodesAndDarkCursorRow)
{
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        const TGlyphDots glyph = FontGlyph(code);
        const bool blank = code <= 0x20 || (code >= 0x80 && code <= 0xA0) || code == 0xFE;
        EXPECT_EQ(glyph == Filled(0), blank);
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(glyph[static_cast<size_t>(35 + column)], code == 0xFF ? 1 : 0);
    }
}

TEST(LcdFontTable, PrintableAsciiGlyphsAreAllDistinct)
{
    for (int a = 0x21; a <= 0x7F; ++a)
        for (int b = a + 1; b <= 0x7F; ++b)
            EXPECT_NE(FontGlyph(a), FontGlyph(b)) << std::hex << a << " " << b;
}

} // namespace
} // namespace kelto
