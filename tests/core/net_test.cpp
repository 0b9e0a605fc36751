// Net traversal and reads, the two-phase commit and the microcontroller's ports.
#include "board_helpers.h"

#include "core/devices/device_actions.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using namespace kelto::testing;

TEST(TwoPhase, WritesBecomeVisibleOnlyAtTheCommitAndTheLastQueuedValueWins)
{
    TSimuBoard board;
    TSimuPart& gate = Place(board, kNOT1);
    TSimuPortInfo& out = *gate.Port(1);
    out.FNextKind = DIGITAL_OUT;
    out.FNextLevel = 1;
    board.Engine().QueuePort(out);
    out.FNextLevel = 0;
    board.Engine().QueuePort(out);
    EXPECT_EQ(out.FLevel, 0);
    board.Engine().CommitPendingPorts();
    EXPECT_EQ(out.FLevel, 0);
    EXPECT_EQ(out.FKind, DIGITAL_OUT);
}

TEST(TwoPhase, EmptyCanvasTickCommitsNothing)
{
    TSimuBoard board;
    board.RunTick(0.001, 0.001);
    EXPECT_TRUE(board.Engine().PendingPorts().empty());
}

TEST(TwoPhase, HandlersRunInPlacementOrderAndWritesCommitAfterAll)
{
    TSimuBoard board;
    TSimuPart& first = Place(board, kNOT1);
    TSimuPart& second = Place(board, kNOT2);
    std::vector<std::string> order;
    std::vector<int32_t> seen;
    board.Engine().SetHandler(otNOTGate, [&](TSimuPart& part, double, double) {
        order.push_back(part.FName);
        seen.push_back(first.Port(1)->FLevel);
        TSimuPortInfo& out = *part.Port(1);
        out.FNextKind = DIGITAL_OUT;
        out.FNextLevel = 1;
        board.Engine().QueuePort(out);
    });
    board.RunTick(0.001, 0.001);
    EXPECT_EQ(order, (std::vector<std::string>{"NOT1", "NOT2"}));
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 0})); // the second handler still saw the old level
    EXPECT_EQ(second.Port(1)->FLevel, 1);
}

// A microcontroller input wired to a source through the given parts.
struct TNetCase {
    const char* Name;
    std::vector<int32_t> Items; // sources wired to PC0
    int16_t Level;              // ReadPinLevel of PC0's net
    int32_t McuLevel;
    int16_t Analog;             // ReadAnalogChannel(0)
};

TEST(NetRead, DriversCombineAsWiredAnd)
{
    const TNetCase cases[] = {
        {"nothing", {}, -1, 1, 0},
        {"supply", {kVCC}, 1, 1, 1023},
        {"ground", {kGND}, 0, 0, 0},
        {"supply and ground", {kVCC, kGND}, 0, 0, 0},
        {"microphone", {19}, 0, 0, 0},
        {"normally open button", {kS1}, 1, 1, 1023},
        {"normally closed button", {kS2}, 0, 0, 0},
    };
    for (const TNetCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSimuBoard board;
        TSimuPart& mcu = Place(board, kMCU);
        for (int32_t item : c.Items)
            Wire(board, Place(board, item), 0, mcu, McuPortPinMap[0]);
        EXPECT_EQ(board.Engine().ReadPinLevel(mcu.Port(McuPortPinMap[0])), c.Level);
        EXPECT_EQ(board.Engine().ReadMcuPinLevel(McuPortPinMap[0]), c.McuLevel);
        EXPECT_EQ(board.Engine().ReadAnalogChannel(0), c.Analog);
    }
}

struct TWiperCase {
    double Position;
    bool WithSupply;
    bool WithGround;
    int16_t Analog;
    int32_t Digital;
};

TEST(NetRead, WiperValuesRoundTiesToEvenAndLowDigitalDriversWin)
{
    const TWiperCase cases[] = {
        {0.3, false, false, 307, 0}, {0.5, false, false, 512, 1}, {0.49, false, false, 501, 0},
        {0.5, true, false, 512, 1},  {0.5, true, true, 0, 0},     {1.0, false, false, 1023, 1},
    };
    for (const TWiperCase& c : cases) {
        SCOPED_TRACE(c.Position);
        TSimuBoard board;
        TSimuPart& mcu = Place(board, kMCU);
        auto& resistor = static_cast<TSimuResistance&>(Place(board, kResistor));
        SetSliderPosition(board.Canvas(), resistor, c.Position);
        const int32_t pc0 = McuPortPinMap[0];
        Wire(board, resistor, 0, mcu, pc0);
        if (c.WithSupply)
            Wire(board, Place(board, kVCC), 0, mcu, pc0);
        if (c.WithGround)
            Wire(board, Place(board, kGND), 0, mcu, pc0);
        EXPECT_EQ(board.Engine().ReadMcuPinLevel(pc0), c.Digital);
        EXPECT_EQ(board.Engine().ReadAnalogChannel(0), c.Analog);
    }
}

TEST(NetRead, ToggleSwitchJoinsItsPinsOnlyWhileClosed)
{
    TSimuBoard board;
    TSimuPart& mcu = Place(board, kMCU);
    auto& toggle = static_cast<TSimuZhaDaoSwitch&>(Place(board, kK0));
    Wire(board, Place(board, kGND), 0, toggle, 0);
    Wire(board, toggle, 1, mcu, 13);
    EXPECT_EQ(board.Engine().ReadMcuPinLevel(13), 1);
    FlipSwitch(toggle);
    EXPECT_EQ(board.Engine().ReadMcuPinLevel(13), 0);
    FlipSwitch(toggle);
    EXPECT_EQ(board.Engine().ReadMcuPinLevel(13), 1);
}

TEST(NetRead, HeldKeypadKeyJoinsItsRowAndColumnPins)
{
    TSimuBoard board;
    auto& keypad = static_cast<TSimuKeypad&>(Place(board, kKeypad));
    Wire(board, Place(board, kGND), 0, keypad, 2); // row 2
    const TSimuPortInfo* column1 = keypad.Port(5);
    EXPECT_EQ(board.Engine().ReadPinLevel(column1), -1);
    PressKey(keypad, {1, 2});
    EXPECT_EQ(board.Engine().ReadPinLevel(column1), 0);
    PressKey(keypad, {1, 1}); // another row: the net stays joined through row 2 only
    EXPECT_EQ(board.Engine().ReadPinLevel(keypad.Port(1)), 0);
    ReleaseKey(keypad, {1, 2});
    EXPECT_EQ(board.Engine().ReadPinLevel(column1), -1);
}

// Whatever order the pins got their canvas objects in.
TEST(NetRead, CollectNetListsPinsInPartsListThenPinOrder)
{
    TSimuBoard board;
    TSimuPart& mcu = Place(board, kMCU);
    TSimuPart& supply = Place(board, kVCC);
    Wire(board, supply, 0, mcu, 20);
    Wire(board, mcu, 20, mcu, 3);
    std::vector<const TSimuPortInfo*> list;
    EXPECT_EQ(board.Engine().CollectNet(supply.Port(0), list), 3);
    EXPECT_EQ(list, (std::vector<const TSimuPortInfo*>{mcu.Port(3), mcu.Port(20), supply.Port(0)}));
}

struct TProbeCase {
    const char* Name;
    std::vector<std::pair<TPortKind, double>> Drivers; // extra pins on the probed net
    TProbeReading Expected;
};

TEST(ProbePin, StatusesByDriverMix)
{
    const TProbeCase cases[] = {
        {"nothing", {}, {4, 0.0}},
        {"one servo", {{SERVO_PWM_OUT, 0.25}}, {1, 0.25}},
        {"one motor", {{MOTOR_PWM_OUT, 0.4}}, {2, 0.4}},
        {"two motors", {{MOTOR_PWM_OUT, 0.4}, {MOTOR_PWM_OUT, 0.4}}, {3, 0.0}},
        {"motor and supply", {{MOTOR_PWM_OUT, 0.4}, {DIGITAL_OUT, 1}}, {3, 0.0}},
        {"analogue and high", {{ANALOG_OUT, 0.7}, {DIGITAL_OUT, 1}}, {0, 0.7}},
        {"analogue and low", {{ANALOG_OUT, 0.7}, {DIGITAL_OUT, 0}}, {0, 0.0}},
        {"only high", {{DIGITAL_OUT, 1}}, {0, 1.0}},
    };
    for (const TProbeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSimuBoard board;
        TSimuPart& probe = Place(board, 29); // voltmeter
        TSimuPart& mcu = Place(board, kMCU);
        int32_t pin = 0;
        for (const auto& [kind, value] : c.Drivers) {
            TSimuPortInfo& record = *mcu.Port(pin);
            record.FKind = kind;
            record.FValue = value;
            record.FLevel = static_cast<int32_t>(value);
            Wire(board, probe, 0, mcu, pin++);
        }
        EXPECT_EQ(board.Engine().ProbePin(probe.Port(0)), c.Expected);
    }
}

TEST(McuPorts, OutputLevelWrittenBeforeDirectionDrivesNothing)
{
    TSimuBoard board;
    TSimuPart& mcu = Place(board, kMCU);
    TSimEngine& engine = board.Engine();
    engine.WritePortOutput(TMcuPort::B, 1);
    engine.CommitPendingPorts();
    EXPECT_EQ(mcu.Port(13)->FKind, ANALOG_IN);
    EXPECT_EQ(engine.ReadPinLevel(mcu.Port(13)), -1);
    engine.WritePortDirection(TMcuPort::B, 1);
    engine.CommitPendingPorts();
    EXPECT_EQ(mcu.Port(13)->FKind, DIGITAL_OUT);
    EXPECT_EQ(engine.ReadPinLevel(mcu.Port(13)), 1);
}

TEST(McuPorts, PinReadsTheNetWhilePortReadsTheLatch)
{
    TSimuBoard board;
    TSimuPart& mcu = Place(board, kMCU);
    Wire(board, Place(board, kGND), 0, mcu, McuPortPinMap[kPortDBase + 3]);
    TSimEngine& engine = board.Engine();
    engine.WritePortDirection(TMcuPort::D, 0xFF);
    engine.WritePortOutput(TMcuPort::D, 0x0F);
    EXPECT_EQ(engine.ReadPortOutput(TMcuPort::D), 0); // not yet committed
    engine.CommitPendingPorts();
    EXPECT_EQ(engine.ReadPortOutput(TMcuPort::D), 0x0F);
    EXPECT_EQ(engine.ReadPortInput(TMcuPort::D), 0x07);
    EXPECT_EQ(engine.ReadPortInput(TMcuPort::B), 0xFF); // unconnected inputs read high
}

TEST(McuPorts, PortCHasNoBitSeven)
{
    TSimuBoard board;
    Place(board, kMCU);
    TSimEngine& engine = board.Engine();
    engine.WritePortDirection(TMcuPort::C, 255);
    EXPECT_EQ(engine.PendingPorts().size(), 7u);
    engine.WritePortOutput(TMcuPort::C, 255);
    engine.CommitPendingPorts();
    EXPECT_EQ(engine.ReadPortOutput(TMcuPort::C), 0x7F);
    EXPECT_EQ(engine.ReadPortInput(TMcuPort::C), 0x7F);
}

TEST(McuPorts, SinglePinReadTurnsTheOutputIntoAnInputAtOnce)
{
    TSimuBoard board;
    TSimuPart& mcu = Place(board, kMCU);
    TSimEngine& engine = board.Engine();
    engine.WritePortDirection(TMcuPort::C, 1);
    engine.WritePortOutput(TMcuPort::C, 0);
    engine.CommitPendingPorts();
    EXPECT_EQ(engine.ReadPinLevel(mcu.Port(22)), 0);
    EXPECT_EQ(engine.ReadPortCPin(0), 1); // undriven after the read made it an input
    EXPECT_EQ(mcu.Port(22)->FKind, DIGITAL_IN);
    engine.WritePortOutput(TMcuPort::C, 0);
    engine.CommitPendingPorts();
    EXPECT_EQ(mcu.Port(22)->FKind, DIGITAL_OUT); // the kept next kind comes back
    EXPECT_EQ(engine.ReadAnalogChannel(0), 0);
    EXPECT_EQ(mcu.Port(22)->FKind, ANALOG_IN);
}

TEST(McuPorts, OutOfRangeChannelsReadZeroWithoutTouchingPins)
{
    TSimuBoard board;
    Place(board, kMCU);
    TSimEngine& engine = board.Engine();
    for (int32_t n : {-1, 7, 1000})
        EXPECT_EQ(engine.ReadPortCPin(n), 0);
    for (int32_t n : {-1, 6, 1000})
        EXPECT_EQ(engine.ReadAnalogChannel(n), 0);
    EXPECT_EQ(engine.McuPortRecord(31), nullptr);
    EXPECT_EQ(engine.McuPortRecord(kPortCBase + 7), nullptr);
}

TEST(McuPorts, WithoutAMicrocontrollerNothingHappens)
{
    TSimuBoard board;
    TSimEngine& engine = board.Engine();
    engine.WritePortDirection(TMcuPort::B, 255);
    EXPECT_TRUE(engine.PendingPorts().empty());
    EXPECT_EQ(engine.ReadPortInput(TMcuPort::B), 0);
    EXPECT_EQ(engine.ReadAnalogChannel(0), 0);
}

} // namespace
} // namespace kelto
