// The LCD1602 driven through its pins: E edges, 8-bit and 4-bit transfers,
// read cycles driving the data pins, and the blink timer.
#include "core/devices/lcd1602.h"
#include "device_rig.h"
#include "lcd_helpers.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using namespace kelto::testing;

constexpr int kD0 = 3;

struct TLcdBus {
    TDeviceRig Rig;
    TSimuLCD1602& Lcd = Rig.Add<TSimuLCD1602>(otLCD1602);
    TSource RS = Rig.Source();
    TSource RW = Rig.Source();
    TSource E = Rig.Source();
    std::vector<TSource> D;

    explicit TLcdBus(bool wireLowNibble = true)
    {
        Rig.Wire(RS, Lcd.Pin(0));
        Rig.Wire(RW, Lcd.Pin(1));
        Rig.Wire(E, Lcd.Pin(2));
        for (int bit = 0; bit < 8; ++bit) {
            D.push_back(Rig.Source());
            if (wireLowNibble || bit >= 4)
                Rig.Wire(D.back(), Lcd.Pin(kD0 + bit));
        }
        E.Level(0);
        Rig.Tick();
    }
    void Pulse()
    {
        E.Level(1);
        Rig.Tick();
        E.Level(0);
        Rig.Tick();
    }
    void Write8(int rs, int value)
    {
        RS.Level(rs);
        RW.Level(0);
        for (int bit = 0; bit < 8; ++bit)
            D[static_cast<size_t>(bit)].Level((value >> bit) & 1);
        Pulse();
    }
    void WriteNibble(int rs, int nibble)
    {
        RS.Level(rs);
        RW.Level(0);
        for (int bit = 0; bit < 4; ++bit)
            D[static_cast<size_t>(4 + bit)].Level((nibble >> bit) & 1);
        Pulse();
    }
    void Write4(int rs, int value)
    {
        WriteNibble(rs, value >> 4);
        WriteNibble(rs, value & 0x0F);
    }
    void ReleaseData()
    {
        for (TSource& d : D)
            d.Release();
    }
    // The bits the controller drives on D0..D7 (-1 where it does not drive).
    std::vector<int> DrivenBits() const
    {
        std::vector<int> bits;
        for (int bit = 0; bit < 8; ++bit) {
            const TSimuPortInfo& record = *Lcd.Port(kD0 + bit);
            bits.push_back(record.FKind == DIGITAL_OUT ? record.FLevel : -1);
        }
        return bits;
    }
};

TEST(Lcd1602Bus, EightBitInitialisationWritesA)
{
    TLcdBus bus;
    for (int instruction : {0x38, 0x0C, 0x06, 0x01})
        bus.Write8(0, instruction);
    bus.Write8(1, 'A');
    EXPECT_EQ(bus.Lcd.FDDRAM[0], 'A');
    EXPECT_EQ(CellDots(bus.Lcd, 0), FontGlyph('A'));
    for (int position = 16; position < 32; ++position)
        EXPECT_EQ(CellDots(bus.Lcd, position), Filled(0)) << position;
}

TEST(Lcd1602Bus, WritesTakeTheDataPresentWhenEFalls)
{
    TLcdBus bus;
    bus.Write8(0, 0x0C);
    bus.RS.Level(1);
    bus.RW.Level(0);
    for (int bit = 0; bit < 8; ++bit)
        bus.D[static_cast<size_t>(bit)].Level(('Q' >> bit) & 1);
    bus.E.Level(1);
    bus.Rig.Tick();
    EXPECT_EQ(bus.Lcd.FDDRAM[0], ' ');
    for (int bit = 0; bit < 8; ++bit)
        bus.D[static_cast<size_t>(bit)].Level(('R' >> bit) & 1);
    bus.Rig.Tick();
    EXPECT_EQ(bus.Lcd.FDDRAM[0], ' ');
    bus.E.Level(0);
    bus.Rig.Tick();
    EXPECT_EQ(bus.Lcd.FDDRAM[0], 'R');
    EXPECT_EQ(ShownLineText(bus.Lcd, 0)[0], 'R');
}

TEST(Lcd1602Bus, FunctionSetOnTheHighPinsWithTheLowPinsUnconnectedExecutes2F)
{
    TLcdBus bus(false);
    bus.WriteNibble(0, 0x2);
    EXPECT_EQ(bus.Lcd.FEightBit, 0);
    EXPECT_EQ(bus.Lcd.FTwoLine, 1);
    EXPECT_EQ(bus.Lcd.FFontSelect, 1);
    EXPECT_EQ(bus.Lcd.FVisibleCount, 32);

    bus.Write4(0, 0x0C);
    bus.Write4(1, 'O');
    bus.Write4(1, 'K');
    EXPECT_EQ(ShownLineText(bus.Lcd, 0), "OK" + std::string(14, ' '));
}

TEST(Lcd1602Bus, FourBitAddressReadSpansTwoEdgesAndReleasesAtTheSecondFall)
{
    TLcdBus bus(false);
    bus.WriteNibble(0, 0x2);
    bus.Write4(0, 0x80 | 0x45);
    ASSERT_EQ(bus.Lcd.FAddress, 0x45);
    bus.ReleaseData();
    bus.RS.Level(0);
    bus.RW.Level(1);

    bus.E.Level(1);
    bus.Rig.Tick();
    EXPECT_EQ(bus.DrivenBits(), (std::vector<int>{-1, -1, -1, -1, 0, 0, 1, 0}));
    bus.E.Level(0);
    bus.Rig.Tick();
    EXPECT_EQ(bus.DrivenBits(), (std::vector<int>{-1, -1, -1, -1, 0, 0, 1, 0}));
    bus.E.Level(1);
    bus.Rig.Tick();
    EXPECT_EQ(bus.DrivenBits(), (std::vector<int>{-1, -1, -1, -1, 1, 0, 1, 0}));
    bus.E.Level(0);
    bus.Rig.Tick();
    EXPECT_EQ(bus.DrivenBits(), (std::vector<int>(8, -1)));
    EXPECT_EQ(bus.Lcd.FAddress, 0x45); // an address read does not step
}

TEST(Lcd1602Bus, UnconnectedRsAndRwMakeEveryPulseADataRead)
{
    TLcdBus bus;
    bus.Write8(0, 0x0C);
    bus.Write8(1, 'H');
    bus.Write8(1, 'i');
    bus.Write8(0, 0x80);
    bus.ReleaseData();
    bus.RS.Release();
    bus.RW.Release();
    for (char expected : {'H', 'i'}) {
        SCOPED_TRACE(expected);
        bus.E.Level(1);
        bus.Rig.Tick();
        std::vector<int> bits;
        for (int bit = 0; bit < 8; ++bit)
            bits.push_back((expected >> bit) & 1);
        EXPECT_EQ(bus.DrivenBits(), bits);
        bus.E.Level(0);
        bus.Rig.Tick();
        EXPECT_EQ(bus.DrivenBits(), std::vector<int>(8, -1));
    }
    EXPECT_EQ(bus.Lcd.FAddress, 2);
    EXPECT_EQ(bus.Lcd.FDDRAM[0], 'H'); // reads never write
}

TEST(Lcd1602Bus, UnconnectedEnableNeverStartsATransfer)
{
    TDeviceRig rig;
    auto& lcd = rig.Add<TSimuLCD1602>(otLCD1602);
    rig.Ticks(20);
    EXPECT_EQ(lcd.FLastE, 0);
    EXPECT_EQ(lcd.FDrivingBus, 0);
    for (int bit = 0; bit < 8; ++bit)
        EXPECT_EQ(lcd.Port(kD0 + bit)->FKind, DIGITAL_IN) << bit;
}

TEST(Lcd1602Bus, BlinkAlternatesBlockAndCharacterEveryThirteenTicks)
{
    TLcdBus bus;
    bus.Write8(0, 0x0D); // display on, cursor off, blink on
    bus.Write8(1, 'B');
    bus.Write8(0, 0x80);
    const TGlyphDots block = Filled(1);
    const TGlyphDots letter = FontGlyph('B');
    std::vector<int> changes;
    TGlyphDots last = CellDots(bus.Lcd, 0);
    std::vector<TGlyphDots> shown;
    for (int tick = 1; tick <= 80; ++tick) {
        bus.Rig.Tick();
        const TGlyphDots now = CellDots(bus.Lcd, 0);
        EXPECT_TRUE(now == block || now == letter) << tick;
        EXPECT_EQ(bus.Rig.Repaints(bus.Lcd), now != last ? 1 : 0) << tick;
        if (now != last) {
            changes.push_back(tick);
            shown.push_back(now);
        }
        last = now;
    }
    ASSERT_GE(changes.size(), 5u);
    for (size_t i = 1; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i] - changes[i - 1], 13);
        EXPECT_NE(shown[i], shown[i - 1]);
    }
}

TEST(Lcd1602Bus, DisplayTurnedOffWhileTheBlockBlinksStaysDark)
{
    for (const uint8_t off : {uint8_t{0x08}, uint8_t{0x09}}) { // blink off, blink left on
        SCOPED_TRACE(int(off));
        TLcdBus bus;
        bus.Write8(0, 0x0D);
        bus.Write8(1, 'B');
        bus.Write8(0, 0x80);
        for (int tick = 0; tick < 40 && CellDots(bus.Lcd, 0) != Filled(1); ++tick)
            bus.Rig.Tick();
        ASSERT_EQ(CellDots(bus.Lcd, 0), Filled(1));
        bus.Write8(0, off);
        for (int tick = 0; tick < 40; ++tick) {
            bus.Rig.Tick();
            ASSERT_EQ(CellDots(bus.Lcd, 0), Filled(0)) << tick;
        }
        bus.Write8(0, 0x0C);
        EXPECT_EQ(CellDots(bus.Lcd, 0), FontGlyph('B'));
    }
}

TEST(Lcd1602Bus, StaticDisplayCausesNoRepaint)
{
    TLcdBus bus;
    bus.Write8(0, 0x0C);
    bus.Write8(1, 'S');
    int repaints = 0;
    for (int tick = 0; tick < 40; ++tick) {
        bus.Rig.Tick();
        repaints += bus.Rig.Repaints(bus.Lcd);
    }
    EXPECT_EQ(repaints, 0);
}

} // namespace
} // namespace kelto
