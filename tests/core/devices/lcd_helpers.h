// Reading the LCD's dots and glyphs in tests.
#pragma once

#include "core/circuit/parts.h"
#include "core/devices/lcd_font_table.h"

#include <array>
#include <cstdint>

namespace kelto::testing {

using TGlyphDots = std::array<uint8_t, kLcdGlyphDots>;

inline TGlyphDots FontGlyph(int code)
{
    TGlyphDots dots{};
    for (int i = 0; i < kLcdGlyphDots; ++i)
        dots[static_cast<size_t>(i)] = LcdFontTable[static_cast<size_t>(code * kLcdGlyphDots + i)];
    return dots;
}

inline TGlyphDots CellDots(const TSimuLCD1602& lcd, int position)
{
    TGlyphDots dots{};
    for (int i = 0; i < kLcdGlyphDots; ++i)
        dots[static_cast<size_t>(i)] = lcd.FCellDots[static_cast<size_t>(position * kLcdGlyphDots + i)];
    return dots;
}

inline TGlyphDots Filled(uint8_t value)
{
    TGlyphDots dots;
    dots.fill(value);
    return dots;
}

// A glyph with the underline cursor row lit.
inline TGlyphDots Underlined(TGlyphDots dots)
{
    for (int column = 0; column < kLcdGlyphColumns; ++column)
        dots[static_cast<size_t>(7 * kLcdGlyphColumns + column)] = 1;
    return dots;
}

} // namespace kelto::testing
