// The LCD1602 controller's output side: which DDRAM address each display
// position shows, the dots of each cell, the underline cursor and the blink.
#include "core/devices/lcd1602.h"

#include <algorithm>

namespace kelto {

namespace {

constexpr uint8_t kSpace = 32;
constexpr int kFullBlock = 0xFF;
constexpr int kCursorRow = 7;
constexpr int kLinePositions = 16;
constexpr int kLineLength = 40;
constexpr int kSecondLine = 64;
constexpr int kOneLineLength = 80;
constexpr int kBlinkTicks = 13;

int Modulo(int value, int m)
{
    return ((value % m) + m) % m;
}

size_t At(int position)
{
    return static_cast<size_t>(position);
}

void FillPosition(TSimuLCD1602& lcd, int position, uint8_t value)
{
    const auto first = lcd.FCellDots.begin() + position * kLcdGlyphDots;
    std::fill(first, first + kLcdGlyphDots, value);
}

void SetCursorRow(TSimuLCD1602& lcd, int position, uint8_t value)
{
    if (position < 0 || position >= kLcdPositions)
        return;
    const auto first = lcd.FCellDots.begin() + position * kLcdGlyphDots + kCursorRow * kLcdGlyphColumns;
    std::fill(first, first + kLcdGlyphColumns, value);
}

// A cursor left on a position of a line no longer in use must not draw into it.
bool CursorPositionInUse(const TSimuLCD1602& lcd)
{
    return lcd.FCursorPosition >= 0 && lcd.FCursorPosition < lcd.FVisibleCount;
}

bool Shows(const TSimuLCD1602& lcd, int address)
{
    for (int i = 0; i < lcd.FVisibleCount && i < kLcdPositions; ++i)
        if (lcd.FPosAddress[At(i)] == address)
            return true;
    return false;
}

} // namespace

void MapPositions(TSimuLCD1602& lcd)
{
    const int shift = lcd.FDisplayShift;
    for (int i = 0; i < kLinePositions; ++i) {
        if (lcd.FTwoLine) {
            const int column = Modulo(i + shift, kLineLength);
            lcd.FPosAddress[At(i)] = static_cast<uint8_t>(column);
            lcd.FPosAddress[At(kLinePositions + i)] = static_cast<uint8_t>(kSecondLine + column);
        } else {
            lcd.FPosAddress[At(i)] = static_cast<uint8_t>(Modulo(i + shift, kOneLineLength));
        }
    }
}

void RefreshDisplay(TSimuLCD1602& lcd)
{
    MapPositions(lcd);
    if (lcd.FDisplayOn == 1) {
        const int limit = lcd.FTwoLine ? kLineLength - 1 : kOneLineLength - 1;
        if (lcd.FDisplayShift < -limit || lcd.FDisplayShift > limit)
            lcd.FDisplayShift = 0;
        const int positions = lcd.FTwoLine ? kLcdPositions : kLinePositions;
        for (int i = 0; i < positions; ++i) {
            const uint8_t c = DdramAt(lcd, lcd.FPosAddress[At(i)]);
            if (c != lcd.FShownChars[At(i)]) {
                RenderCell(lcd, c, i);
                lcd.FShownChars[At(i)] = c;
            }
        }
        // Redraw the line ends to wipe cursor marks a shift left behind.
        RenderCell(lcd, lcd.FShownChars[0], 0);
        RenderCell(lcd, lcd.FShownChars[At(kLinePositions - 1)], kLinePositions - 1);
        if (lcd.FVisibleCount == kLcdPositions) {
            RenderCell(lcd, lcd.FShownChars[At(kLinePositions)], kLinePositions);
            RenderCell(lcd, lcd.FShownChars[At(kLcdPositions - 1)], kLcdPositions - 1);
        }
        UpdateCursor(lcd);
    } else if (lcd.FBlanked != 1) {
        for (int i = 0; i < lcd.FVisibleCount && i < kLcdPositions; ++i)
            FillPosition(lcd, i, 0);
        lcd.FShownChars.fill(kSpace);
        lcd.FBlanked = 1;
    }
}

void RenderCell(TSimuLCD1602& lcd, int code, int position)
{
    if (position < 0 || position >= kLcdPositions || code < 0 || code > 255)
        return;
    const auto glyph = lcd.FFont.begin() + code * kLcdGlyphDots;
    std::copy(glyph, glyph + kLcdGlyphDots, lcd.FCellDots.begin() + position * kLcdGlyphDots);
}

void UpdateCursor(TSimuLCD1602& lcd)
{
    lcd.FCursorHidden = 1;
    if (!lcd.FDisplayOn) {
        if (CursorPositionInUse(lcd))
            SetCursorRow(lcd, lcd.FCursorPosition, 0);
        return;
    }
    // Erased even when its address has left the screen: a change of line mode
    // remaps every position, and the mark must not stay behind.
    if (CursorPositionInUse(lcd))
        RenderCell(lcd, DdramAt(lcd, lcd.FPosAddress[At(lcd.FCursorPosition)]), lcd.FCursorPosition);
    for (int i = 0; i < lcd.FVisibleCount && i < kLcdPositions; ++i)
        if (lcd.FPosAddress[At(i)] == lcd.FAddress) {
            lcd.FCursorAddress = lcd.FAddress;
            lcd.FCursorPosition = static_cast<int16_t>(i);
            lcd.FCursorChar = lcd.FShownChars[At(i)];
            lcd.FCursorHidden = 0;
        }
    if (lcd.FCursorOn == 1 && lcd.FCursorHidden == 0)
        SetCursorRow(lcd, lcd.FCursorPosition, 1);
}

void BlinkStep(TSimuLCD1602& lcd)
{
    if (lcd.FBlinkOn && lcd.FDisplayOn && !lcd.FCursorHidden && CursorPositionInUse(lcd)) {
        if (lcd.FBlinkPhase == 1) {
            RenderCell(lcd, lcd.FCursorChar, lcd.FCursorPosition);
            lcd.FBlinkPhase = 0;
            if (lcd.FCursorOn == 1)
                SetCursorRow(lcd, lcd.FCursorPosition, 1);
        } else {
            RenderCell(lcd, kFullBlock, lcd.FCursorPosition);
            SetCursorRow(lcd, lcd.FCursorPosition, 1);
            lcd.FBlinkPhase = 1;
        }
    } else if (lcd.FBlinkPhase == 1 && CursorPositionInUse(lcd) && !lcd.FCursorHidden) {
        // Turning the display off blanked the block too; a dark display stays dark.
        if (lcd.FDisplayOn) {
            RenderCell(lcd, lcd.FCursorChar, lcd.FCursorPosition);
            if (lcd.FCursorOn == 1)
                SetCursorRow(lcd, lcd.FCursorPosition, 1);
        }
        lcd.FBlinkPhase = 0;
    }
    lcd.FBlinkTimerOn = 1;
    lcd.FBlinkCountdown = kBlinkTicks;
}

bool AddressShown(const TSimuLCD1602& lcd)
{
    return Shows(lcd, lcd.FAddress);
}

std::string ShownLineText(const TSimuLCD1602& lcd, int line)
{
    std::string text;
    if (line < 0 || line > 1 || (line == 1 && !lcd.FTwoLine))
        return text;
    for (int i = 0; i < kLinePositions; ++i) {
        const uint8_t c = lcd.FShownChars[At(line * kLinePositions + i)];
        text.push_back(c >= 0x20 && c <= 0x7D ? static_cast<char>(c) : '.');
    }
    return text;
}

} // namespace kelto
