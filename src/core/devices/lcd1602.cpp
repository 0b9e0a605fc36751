// The LCD1602 controller's instructions, data transfers and address counter.
#include "core/devices/lcd1602.h"

#include "core/devices/lcd_font_table.h"

#include <algorithm>

namespace kelto {

namespace {

constexpr uint8_t kSpace = 32;
constexpr int kLineLength = 40;    // DDRAM bytes per line in 2-line mode
constexpr int kSecondLine = 64;    // DDRAM address of line 2
constexpr int kOneLineLength = 80; // DDRAM bytes in 1-line mode
constexpr int kLastDdramAddress = 103;
constexpr int kCgramBase = 64; // the counter holds 0x40 + CGRAM address
constexpr int kLastCgramAddress = 127;
constexpr int kFirstLine2Position = 16;

int Bit(uint8_t value, int bit)
{
    return (value >> bit) & 1;
}

int CgramIndex(int address)
{
    return ((address % kLcdCgramSize) + kLcdCgramSize) % kLcdCgramSize;
}

void SetLineTwoDots(TSimuLCD1602& lcd, uint8_t value)
{
    std::fill(lcd.FCellDots.begin() + kFirstLine2Position * kLcdGlyphDots, lcd.FCellDots.end(), value);
}

void FunctionSet(TSimuLCD1602& lcd, uint8_t a)
{
    lcd.FEightBit = static_cast<int16_t>(Bit(a, 4));
    if (Bit(a, 3)) {
        lcd.FTwoLine = 1;
        lcd.FVisibleCount = kLcdPositions;
        SetLineTwoDots(lcd, 0);
        // The dark line now shows nothing, so the refresh must draw whatever
        // line 2 of DDRAM holds, even what it held when the line was last shown.
        std::fill(lcd.FShownChars.begin() + kFirstLine2Position, lcd.FShownChars.end(), kSpace);
        RefreshDisplay(lcd);
    } else {
        lcd.FTwoLine = 0;
        lcd.FVisibleCount = kFirstLine2Position;
        RefreshDisplay(lcd);
        SetLineTwoDots(lcd, 2);
    }
    lcd.FFontSelect = static_cast<int16_t>(Bit(a, 2));
}

void CursorOrDisplayShift(TSimuLCD1602& lcd, uint8_t a)
{
    lcd.FShiftDirection = Bit(a, 2) ? 1 : -1;
    if (Bit(a, 3) == 0) {
        lcd.FAddressMode = TLcdAddressMode::DDRAM;
        StepDataAddress(lcd, lcd.FShiftDirection);
    } else {
        lcd.FDisplayShift = static_cast<int16_t>(lcd.FDisplayShift - lcd.FShiftDirection);
        lcd.FAddressMode = TLcdAddressMode::DDRAM;
    }
    RefreshDisplay(lcd);
}

void DisplayControl(TSimuLCD1602& lcd, uint8_t a)
{
    lcd.FDisplayOn = static_cast<int16_t>(Bit(a, 2));
    if (lcd.FDisplayOn)
        lcd.FBlanked = 0;
    RefreshDisplay(lcd);
    lcd.FCursorOn = static_cast<int16_t>(Bit(a, 1));
    UpdateCursor(lcd);
    lcd.FBlinkOn = static_cast<int16_t>(Bit(a, 0));
}

} // namespace

void ResetController(TSimuLCD1602& lcd)
{
    lcd.FAddressMode = TLcdAddressMode::DDRAM;
    lcd.FAddress = 0;
    lcd.FVisibleCount = kFirstLine2Position;
    lcd.FEightBit = 1;
    lcd.FTwoLine = 0;
    lcd.FFontSelect = 0;
    lcd.FDisplayOn = 0;
    lcd.FCursorOn = 0;
    lcd.FBlinkOn = 0;
    lcd.FIncrement = 1;
    lcd.FShiftOnWrite = 0;
    lcd.FDDRAM.fill(kSpace);
    lcd.FCGRAM.fill(0);
    lcd.FFont = LcdFontTable;
    lcd.FDisplayShift = 0;
    lcd.FShownChars.fill(kSpace);
    for (int i = 0; i < kFirstLine2Position; ++i) {
        lcd.FPosAddress[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
        lcd.FPosAddress[static_cast<size_t>(kFirstLine2Position + i)] = static_cast<uint8_t>(kSecondLine + i);
    }
    RefreshDisplay(lcd);
    SetLineTwoDots(lcd, 2);
    BlinkStep(lcd);
    lcd.FCursorHidden = 0;
}

void WriteInstruction(TSimuLCD1602& lcd, uint8_t a)
{
    if ((a & 0x80) == 0x80) {
        SetDataAddress(lcd, a & 0x7F);
        lcd.FAddressMode = TLcdAddressMode::DDRAM;
    } else if ((a & 0xC0) == 0x40) {
        lcd.FAddress = static_cast<int16_t>((a & 0x3F) | kCgramBase);
        UpdateCursor(lcd);
        lcd.FAddressMode = TLcdAddressMode::CGRAM;
    } else if ((a & 0xE0) == 0x20) {
        FunctionSet(lcd, a);
    } else if ((a & 0xF0) == 0x10) {
        CursorOrDisplayShift(lcd, a);
    } else if ((a & 0xF8) == 0x08) {
        DisplayControl(lcd, a);
    } else if ((a & 0xFC) == 0x04) {
        lcd.FIncrement = Bit(a, 1) ? 1 : -1;
        lcd.FShiftOnWrite = static_cast<int16_t>(Bit(a, 0));
    } else if ((a & 0xFE) == 0x02) {
        lcd.FDisplayShift = 0;
        SetDataAddress(lcd, 0);
        lcd.FAddressMode = TLcdAddressMode::DDRAM;
        RefreshDisplay(lcd);
    } else if (a == 0x01) {
        lcd.FDDRAM.fill(kSpace);
        lcd.FIncrement = 1;
        SetDataAddress(lcd, 0);
        lcd.FAddressMode = TLcdAddressMode::DDRAM;
        RefreshDisplay(lcd);
    }
}

void SetDataAddress(TSimuLCD1602& lcd, int a)
{
    int address = a;
    if (lcd.FTwoLine) {
        if (address >= kLineLength && address < kSecondLine)
            address = kSecondLine;
        if (address > kLastDdramAddress)
            address = 0;
    } else if (address >= kOneLineLength) {
        address = 0;
    }
    lcd.FAddress = static_cast<int16_t>(address);
    UpdateCursor(lcd);
}

void StepDataAddress(TSimuLCD1602& lcd, int step)
{
    int address = lcd.FAddress + step;
    if (!lcd.FTwoLine) {
        if (address < 0)
            address = kOneLineLength - 1;
        address %= kOneLineLength;
    } else {
        if (address < 0)
            address = kLastDdramAddress;
        // The gap between the lines is skipped in the direction of travel.
        if (address >= kLineLength && address < kSecondLine)
            address = address < (kLineLength + kSecondLine) / 2 ? kSecondLine : kLineLength - 1;
        if (address > kLastDdramAddress)
            address = 0;
    }
    lcd.FAddress = static_cast<int16_t>(address);
}

void StepGraphicsAddress(TSimuLCD1602& lcd, int step)
{
    int address = lcd.FAddress + step;
    if (address < kCgramBase)
        address = kLastCgramAddress;
    if (address > kLastCgramAddress)
        address = kCgramBase;
    lcd.FAddress = static_cast<int16_t>(address);
}

void WriteData(TSimuLCD1602& lcd, uint8_t value)
{
    if (lcd.FAddressMode == TLcdAddressMode::DDRAM) {
        // After a display shift that follows a CGRAM address the counter can
        // lie beyond DDRAM; such a write is lost rather than landing elsewhere.
        if (lcd.FAddress >= 0 && lcd.FAddress < kLcdDdramSize)
            lcd.FDDRAM[static_cast<size_t>(lcd.FAddress)] = value;
        if (lcd.FShiftOnWrite == 1)
            lcd.FDisplayShift = static_cast<int16_t>(lcd.FDisplayShift + lcd.FIncrement);
        StepDataAddress(lcd, lcd.FIncrement);
        RefreshDisplay(lcd);
        return;
    }
    const int g = CgramIndex(lcd.FAddress);
    lcd.FCGRAM[static_cast<size_t>(g)] = value;
    const size_t row =
        static_cast<size_t>((g / kLcdGlyphRows) * kLcdGlyphDots + (g % kLcdGlyphRows) * kLcdGlyphColumns);
    for (int column = 0; column < kLcdGlyphColumns; ++column)
        lcd.FFont[row + static_cast<size_t>(column)] =
            static_cast<uint8_t>(Bit(value, kLcdGlyphColumns - 1 - column));
    StepGraphicsAddress(lcd, lcd.FIncrement);
    if (lcd.FDisplayOn) {
        for (int i = 0; i < lcd.FVisibleCount && i < kLcdPositions; ++i)
            if (lcd.FShownChars[static_cast<size_t>(i)] < 8)
                RenderCell(lcd, lcd.FShownChars[static_cast<size_t>(i)], i);
        UpdateCursor(lcd);
    }
}

uint8_t ReadData(TSimuLCD1602& lcd)
{
    if (lcd.FAddressMode == TLcdAddressMode::DDRAM) {
        const uint8_t value = DdramAt(lcd, lcd.FAddress);
        StepDataAddress(lcd, lcd.FIncrement);
        RefreshDisplay(lcd);
        return value;
    }
    const uint8_t value = lcd.FCGRAM[static_cast<size_t>(CgramIndex(lcd.FAddress))];
    StepGraphicsAddress(lcd, lcd.FIncrement);
    return value;
}

uint8_t ReadAddress(const TSimuLCD1602& lcd)
{
    return static_cast<uint8_t>(lcd.FAddress & (lcd.FAddressMode == TLcdAddressMode::DDRAM ? 0x7F : 0x3F));
}

uint8_t DdramAt(const TSimuLCD1602& lcd, int address)
{
    if (address < 0 || address >= kLcdDdramSize)
        return kSpace;
    return lcd.FDDRAM[static_cast<size_t>(address)];
}

} // namespace kelto
