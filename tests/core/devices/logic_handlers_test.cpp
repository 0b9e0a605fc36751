// Gates, flip-flops and the output expander.
#include "device_rig.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using namespace kelto::testing;

TEST(Gates, TruthTablesWithUndrivenInputsCountingAsHigh)
{
    struct TCase {
        TOwnerType Type;
        int A; // -1 unconnected
        int B;
        int Out;
    };
    const TCase cases[] = {
        {otNOTGate, -1, -1, 0},  {otNOTGate, 0, -1, 1},  {otNOTGate, 1, -1, 0}, {otANDGate, -1, -1, 1},
        {otANDGate, 1, 0, 0},    {otANDGate, 1, 1, 1},   {otANDGate, 0, -1, 0}, {otORGate, 0, 0, 0},
        {otORGate, 0, 1, 1},     {otORGate, 0, -1, 1},   {otANDNGate, 1, 1, 0}, {otANDNGate, 0, 1, 1},
        {otANDNGate, -1, -1, 0}, {otORNGate, -1, -1, 0}, {otORNGate, 0, 0, 1},  {otORNGate, 1, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << int(c.Type) << " a " << c.A << " b " << c.B);
        TDeviceRig rig;
        auto& gate = rig.Add<TSimuGate>(c.Type);
        const int inputs = gate.PinCount() - 1;
        const int levels[] = {c.A, c.B};
        for (int i = 0; i < inputs; ++i)
            if (levels[i] >= 0) {
                TSource source = rig.Source();
                source.Level(levels[i]);
                rig.Wire(source, gate.Pin(i));
            }
        rig.Tick();
        const TSimuPortInfo& out = *gate.Port(inputs);
        EXPECT_EQ(out.FKind, DIGITAL_OUT);
        EXPECT_EQ(out.FLevel, c.Out);
    }
}

TEST(Gates, NotGateOnItsOwnInputOscillatesEveryTick)
{
    TDeviceRig rig;
    auto& gate = rig.Add<TSimuGate>(otNOTGate);
    rig.Wire(gate.Pin(1), gate.Pin(0));
    std::vector<int> levels;
    for (int i = 0; i < 6; ++i) {
        rig.Tick();
        levels.push_back(gate.Port(1)->FLevel);
    }
    EXPECT_EQ(levels, (std::vector<int>{1, 0, 1, 0, 1, 0}));
}

TEST(Gates, EachStageOfAChainAddsOneTick)
{
    TDeviceRig rig;
    auto& toggle = rig.Add<TSimuZhaDaoSwitch>(otZhaDaoSwitch);
    // Placed in reverse so that placement order cannot hide a missing delay.
    auto& third = rig.Add<TSimuGate>(otNOTGate);
    auto& second = rig.Add<TSimuGate>(otNOTGate);
    auto& first = rig.Add<TSimuGate>(otNOTGate);
    TSource ground = rig.Source();
    ground.Level(0);
    rig.Wire(ground, toggle.Pin(0));
    rig.Wire(toggle.Pin(1), first.Pin(0));
    rig.Wire(first.Pin(1), second.Pin(0));
    rig.Wire(second.Pin(1), third.Pin(0));
    rig.Ticks(4); // settled with the switch open: first 0, second 1, third 0
    ASSERT_EQ(third.Port(1)->FLevel, 0);

    toggle.FClosed = 1;
    const int expected[][3] = {{1, 1, 0}, {1, 0, 0}, {1, 0, 1}};
    for (int tick = 0; tick < 3; ++tick) {
        SCOPED_TRACE(tick);
        rig.Tick();
        EXPECT_EQ(first.Port(1)->FLevel, expected[tick][0]);
        EXPECT_EQ(second.Port(1)->FLevel, expected[tick][1]);
        EXPECT_EQ(third.Port(1)->FLevel, expected[tick][2]);
    }
}

struct TDRig {
    TDeviceRig Rig;
    TSimuDFlipFlop& FlipFlop = Rig.Add<TSimuDFlipFlop>(otDFlipFlop);
    TSource Set = Rig.Source();
    TSource D = Rig.Source();
    TSource Clock = Rig.Source();
    TSource Reset = Rig.Source();
    TDRig()
    {
        Rig.Wire(Set, FlipFlop.Pin(0));
        Rig.Wire(D, FlipFlop.Pin(1));
        Rig.Wire(Clock, FlipFlop.Pin(2));
        Rig.Wire(Reset, FlipFlop.Pin(3));
    }
    std::pair<int, int> Outputs() const { return {FlipFlop.Port(4)->FLevel, FlipFlop.Port(5)->FLevel}; }
};

TEST(DFlipFlop, TakesDOnTheRisingEdgeOnly)
{
    TDRig d;
    d.D.Level(0);
    d.Clock.Level(1);
    d.Rig.Tick(); // clock high from the start: no edge
    EXPECT_EQ(d.Outputs(), std::make_pair(0, 1));
    d.D.Level(1);
    d.Rig.Ticks(2);
    EXPECT_EQ(d.Outputs(), std::make_pair(0, 1));
    d.Clock.Level(0);
    d.Rig.Tick();
    d.Clock.Level(1);
    d.Rig.Tick();
    EXPECT_EQ(d.Outputs(), std::make_pair(1, 0));
    d.D.Level(0);
    d.Rig.Ticks(3); // steady high clock
    EXPECT_EQ(d.Outputs(), std::make_pair(1, 0));
    d.Clock.Level(0);
    d.Rig.Tick(); // falling edge does nothing
    EXPECT_EQ(d.Outputs(), std::make_pair(1, 0));
}

TEST(DFlipFlop, SetResetAndBothOverrideTheClockAndHoldAfterRelease)
{
    TDRig d;
    d.Set.Level(0);
    d.Rig.Tick();
    EXPECT_EQ(d.Outputs(), std::make_pair(1, 0));
    d.Set.Release();
    d.Reset.Level(0);
    d.Rig.Tick();
    EXPECT_EQ(d.Outputs(), std::make_pair(0, 1));
    d.Set.Level(0);
    d.Rig.Tick();
    EXPECT_EQ(d.Outputs(), std::make_pair(1, 1));
    EXPECT_EQ(d.FlipFlop.FQ, 1);
    EXPECT_EQ(d.FlipFlop.FQBar, 1);
    d.Set.Release();
    d.Reset.Release();
    d.Rig.Ticks(3); // unconnected clock is high: no edge
    EXPECT_EQ(d.Outputs(), std::make_pair(1, 1));
    d.D.Level(0);
    d.Clock.Level(0);
    d.Rig.Tick();
    d.Clock.Level(1);
    d.Rig.Tick();
    EXPECT_EQ(d.Outputs(), std::make_pair(0, 1));
}

TEST(DFlipFlop, OutputsAreQueuedOnlyWhenTheStateChanges)
{
    TDRig d;
    d.Rig.Tick();
    EXPECT_EQ(d.Rig.Queued(), 0u);
    d.Set.Level(0);
    d.Rig.Tick();
    EXPECT_EQ(d.Rig.Queued(), 2u);
    d.Rig.Tick();
    EXPECT_EQ(d.Rig.Queued(), 0u);
}

TEST(JKFlipFlop, UnconnectedJAndKToggleOnEveryFallingEdge)
{
    TDeviceRig rig;
    auto& jk = rig.Add<TSimuJKFlipFlop>(otJKFlipFlop);
    TSource clock = rig.Source();
    rig.Wire(clock, jk.Pin(2));
    std::vector<int> q;
    for (int level : {0, 1, 0, 1, 1, 0, 0, 1, 0}) {
        clock.Level(level);
        rig.Tick();
        q.push_back(jk.Port(5)->FLevel);
        EXPECT_EQ(jk.Port(6)->FLevel, 1 - jk.Port(5)->FLevel);
    }
    // The clock starts remembered high, so the first low is already an edge.
    EXPECT_EQ(q, (std::vector<int>{1, 1, 0, 0, 0, 1, 1, 1, 0}));
}

TEST(JKFlipFlop, JAndKChooseSetResetOrHold)
{
    struct TCase {
        int J;
        int K;
        std::pair<int, int> From;
        std::pair<int, int> To;
    };
    const TCase cases[] = {
        {0, 1, {1, 0}, {0, 1}},
        {1, 0, {0, 1}, {1, 0}},
        {0, 0, {1, 0}, {1, 0}},
        {1, 1, {1, 1}, {0, 0}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "J " << c.J << " K " << c.K);
        TDeviceRig rig;
        auto& jk = rig.Add<TSimuJKFlipFlop>(otJKFlipFlop);
        TSource j = rig.Source();
        TSource k = rig.Source();
        TSource clock = rig.Source();
        rig.Wire(j, jk.Pin(1));
        rig.Wire(clock, jk.Pin(2));
        rig.Wire(k, jk.Pin(3));
        j.Level(c.J);
        k.Level(c.K);
        clock.Level(1);
        jk.FQ = static_cast<uint8_t>(c.From.first);
        jk.FQBar = static_cast<uint8_t>(c.From.second);
        rig.Tick();
        clock.Level(0);
        rig.Tick();
        EXPECT_EQ(std::make_pair(int(jk.FQ), int(jk.FQBar)), c.To);
    }
}

struct TExpanderRig {
    TDeviceRig Rig;
    TSimuOutExpander& Expander = Rig.Add<TSimuOutExpander>(otOutExpander);
    std::vector<TSource> Data;
    std::vector<TSource> Address;
    TSource Clock = Rig.Source();
    TExpanderRig()
    {
        for (int i = 0; i < 8; ++i) {
            Data.push_back(Rig.Source());
            Rig.Wire(Data.back(), Expander.Pin(i));
        }
        for (int i = 0; i < 3; ++i) {
            Address.push_back(Rig.Source());
            Rig.Wire(Address.back(), Expander.Pin(8 + i));
        }
        Rig.Wire(Clock, Expander.Pin(11));
    }
    void Data8(int value)
    {
        for (int i = 0; i < 8; ++i)
            Data[static_cast<size_t>(i)].Level((value >> i) & 1);
    }
    int Group(int group) const
    {
        int value = 0;
        for (int bit = 0; bit < 8; ++bit)
            value |= Expander.Port(12 + group * 8 + bit)->FLevel << bit;
        return value;
    }
};

TEST(OutExpander, LatchesIntoTheAddressedGroupOnTheRisingEdge)
{
    TExpanderRig x;
    x.Address[0].Release(); // unconnected counts as 1
    x.Address[1].Level(0);
    x.Address[2].Level(1);
    x.Data8(0xA5);
    x.Clock.Level(0);
    x.Rig.Tick();
    x.Clock.Level(1);
    x.Rig.Tick();
    EXPECT_EQ(x.Group(5), 0xA5);
    for (int g = 0; g < 8; ++g)
        EXPECT_EQ(x.Group(g), g == 5 ? 0xA5 : 0) << g;

    // A steady high clock ignores new data; the next edge into group 0 keeps group 5.
    x.Data8(0x3C);
    x.Rig.Ticks(3);
    EXPECT_EQ(x.Group(5), 0xA5);
    for (TSource& a : x.Address)
        a.Level(0);
    x.Clock.Level(0);
    x.Rig.Tick();
    x.Clock.Level(1);
    x.Rig.Tick();
    EXPECT_EQ(x.Group(0), 0x3C);
    EXPECT_EQ(x.Group(5), 0xA5);
}

TEST(OutExpander, QueuesOnlyTheOutputsWhoseLatchChanged)
{
    TExpanderRig x;
    x.Data8(0x01);
    for (TSource& a : x.Address)
        a.Level(0);
    x.Clock.Level(0);
    x.Rig.Tick();
    x.Clock.Level(1);
    x.Rig.Tick();
    EXPECT_EQ(x.Rig.Queued(), 1u);
    EXPECT_EQ(x.Expander.Port(12)->FLevel, 1);
}

} // namespace
} // namespace kelto
