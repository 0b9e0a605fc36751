// Bus handling of the LCD1602: latched RS and R/W, 8-bit and 4-bit transfers,
// read cycles that drive the data pins, and the blink countdown.
#include "core/devices/lcd1602_bus.h"

#include "core/canvas/flow_chart.h"
#include "core/devices/lcd1602.h"
#include "core/sim/sim_engine.h"


namespace kelto {

namespace {

constexpr int kPinRS = 0;
constexpr int kPinRW = 1;
constexpr int kPinE = 2;
constexpr int kPinD0 = 3;
constexpr int kDataBits = 8;
constexpr int kHighNibbleBit = 4;

void DriveBits(TSimEngine& engine, TSimuLCD1602& lcd, int value, int firstBit)
{
    for (int bit = firstBit; bit < kDataBits; ++bit)
        if (TSimuPortInfo* record = lcd.Port(kPinD0 + bit)) {
            record->FNextKind = DIGITAL_OUT;
            record->FNextLevel = (value >> bit) & 1;
            engine.QueuePort(*record);
        }
}

void ReleaseBus(TSimEngine& engine, TSimuLCD1602& lcd)
{
    for (int bit = 0; bit < kDataBits; ++bit)
        if (TSimuPortInfo* record = lcd.Port(kPinD0 + bit)) {
            record->FNextKind = DIGITAL_IN;
            engine.QueuePort(*record);
        }
}

uint8_t ReadCycleValue(TSimuLCD1602& lcd)
{
    return lcd.FLastRS ? ReadData(lcd) : ReadAddress(lcd);
}

void ERose(TSimEngine& engine, TSimuLCD1602& lcd)
{
    if (lcd.FLastRW != 1)
        return;
    lcd.FDrivingBus = 1;
    if (lcd.FEightBit) {
        DriveBits(engine, lcd, ReadCycleValue(lcd), 0);
    } else if (lcd.FNibblePending == 1) {
        // The second half of a 4-bit read: the byte was read at the first edge.
        lcd.FNibblePending = 0;
        DriveBits(engine, lcd, lcd.FLowNibble, kHighNibbleBit);
    } else {
        const uint8_t value = ReadCycleValue(lcd);
        lcd.FHighNibble = static_cast<int16_t>(value & 0xF0);
        lcd.FLowNibble = static_cast<int16_t>((value & 0x0F) * 16);
        lcd.FNibblePending = 1;
        DriveBits(engine, lcd, lcd.FHighNibble, kHighNibbleBit);
    }
}

void ExecuteWrite(TSimuLCD1602& lcd, uint8_t value)
{
    if (lcd.FLastRS)
        WriteData(lcd, value);
    else
        WriteInstruction(lcd, value);
}

void EFell(TSimEngine& engine, TSimuLCD1602& lcd, int bus)
{
    if (lcd.FDrivingBus == 1) {
        if (lcd.FEightBit || lcd.FNibblePending == 0) {
            ReleaseBus(engine, lcd);
            lcd.FDrivingBus = 0;
        }
        return;
    }
    if (lcd.FLastRW == 0) {
        if (lcd.FEightBit) {
            ExecuteWrite(lcd, static_cast<uint8_t>(bus));
        } else if (lcd.FNibblePending == 0) {
            lcd.FHighNibble = static_cast<int16_t>(bus & 0xF0);
            lcd.FNibblePending = 1;
        } else {
            lcd.FLowNibble = static_cast<int16_t>(bus & 0xF0);
            lcd.FNibblePending = 0;
            ExecuteWrite(lcd, static_cast<uint8_t>(lcd.FHighNibble | (lcd.FLowNibble / 16)));
        }
    }
    lcd.FCursorHidden = AddressShown(lcd) ? 0 : 1;
}

} // namespace

void UpdateLCD1602(TSimEngine& engine, TSimuLCD1602& lcd)
{
    // Undriven RS, R/W and data pins read high; an undriven E reads low.
    const int16_t rs = engine.ReadPinLevel(lcd.Port(kPinRS)) != 0 ? 1 : 0;
    const int16_t rw = engine.ReadPinLevel(lcd.Port(kPinRW)) != 0 ? 1 : 0;
    const int16_t e = engine.ReadPinLevel(lcd.Port(kPinE)) == 1 ? 1 : 0;
    int bus = 0;
    for (int bit = 0; bit < kDataBits; ++bit)
        if (engine.ReadPinLevel(lcd.Port(kPinD0 + bit)) != 0)
            bus |= 1 << bit;

    // The dots change only on an edge of E or a blink step: only then is
    // there something to compare.
    const bool blinkDue = lcd.FBlinkTimerOn && lcd.FBlinkCountdown <= 1;
    const bool compare = e != lcd.FLastE || blinkDue;
    // Left unset unless compared: clearing it every tick costs more than the tick's reads.
    decltype(lcd.FCellDots) shownBefore;
    if (compare)
        shownBefore = lcd.FCellDots;

    if (e != lcd.FLastE) {
        lcd.FLastRW = rw;
        lcd.FLastRS = rs;
        lcd.FLastE = e;
        if (e == 1)
            ERose(engine, lcd);
        else
            EFell(engine, lcd, bus);
    }

    if (lcd.FBlinkTimerOn) {
        --lcd.FBlinkCountdown;
        if (lcd.FBlinkCountdown <= 0) {
            lcd.FBlinkTimerOn = 0;
            BlinkStep(lcd);
        }
    }

    if (compare && lcd.FCellDots != shownBefore)
        lcd.FBody->Invalidate();
}

} // namespace kelto
