// The probes on a board: what each channel records from the circuit, and a
// recording that outlives the probe, New and Open.
#include "../board_helpers.h"
#include "core/board/board_file.h"
#include "core/devices/device_actions.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kelto {
namespace {

using namespace kelto::testing;

constexpr int32_t kAudioas = 26;
constexpr int32_t kPD5 = 10;
constexpr int32_t kPD6 = 11;

void Ticks(TSimuBoard& board, int count)
{
    for (int i = 0; i < count; ++i)
        board.RunTick(0.001, 0.0);
}

// A microcontroller pin carrying a PWM output, as the motor and servo statements leave it.
void DrivePwm(TSimuPart& mcu, int32_t pin, TPortKind kind, double value)
{
    TSimuPortInfo& record = *mcu.Port(pin);
    record.FKind = record.FNextKind = kind;
    record.FValue = record.FNextValue = value;
}

std::vector<TScopePoint> Channel(const TScopeRecorder& scope, int32_t channel)
{
    std::vector<TScopePoint> points;
    for (int64_t i = 0; i < scope.Samples().Count(); ++i)
        points.push_back(scope.Samples().Point(channel, i));
    return points;
}

TEST(ScopeProbe, ChannelRecordsWhatDrivesItsNet)
{
    using TWiring = std::function<void(TSimuBoard&, TSimuPart & scope, TSimuPart & mcu)>;
    struct TCase {
        const char* Name;
        TWiring Wiring;
        TScopePoint Expected;
    };
    const TScopePoint kNull{};
    const TCase cases[] = {
        {"unconnected", [](TSimuBoard&, TSimuPart&, TSimuPart&) {}, kNull},
        {"supply",
         [](TSimuBoard& b, TSimuPart& s, TSimuPart&) { Wire(b, s, 2, Place(b, kVCC), 0); },
         {1.0f, false}},
        {"ground",
         [](TSimuBoard& b, TSimuPart& s, TSimuPart&) { Wire(b, s, 2, Place(b, kGND), 0); },
         {0.0f, false}},
        {"supply and ground",
         [](TSimuBoard& b, TSimuPart& s, TSimuPart&) {
             Wire(b, s, 2, Place(b, kVCC), 0);
             Wire(b, s, 2, Place(b, kGND), 0);
         },
         {0.0f, false}},
        {"one motor PWM output",
         [](TSimuBoard& b, TSimuPart& s, TSimuPart& m) {
             DrivePwm(m, kPD5, MOTOR_PWM_OUT, 0.375);
             Wire(b, s, 2, m, kPD5);
         },
         {0.375f, false}},
        {"one servo PWM output",
         [](TSimuBoard& b, TSimuPart& s, TSimuPart& m) {
             DrivePwm(m, kPD5, SERVO_PWM_OUT, 0.5);
             Wire(b, s, 2, m, kPD5);
         },
         {0.5f, false}},
        {"two motor PWM outputs",
         [](TSimuBoard& b, TSimuPart& s, TSimuPart& m) {
             DrivePwm(m, kPD5, MOTOR_PWM_OUT, 0.5);
             DrivePwm(m, kPD6, MOTOR_PWM_OUT, 0.5);
             Wire(b, s, 2, m, kPD5);
             Wire(b, s, 2, m, kPD6);
         },
         kNull},
        {"motor and servo PWM",
         [](TSimuBoard& b, TSimuPart& s, TSimuPart& m) {
             DrivePwm(m, kPD5, MOTOR_PWM_OUT, 0.5);
             DrivePwm(m, kPD6, SERVO_PWM_OUT, 0.5);
             Wire(b, s, 2, m, kPD5);
             Wire(b, s, 2, m, kPD6);
         },
         kNull},
        {"PWM and a supply",
         [](TSimuBoard& b, TSimuPart& s, TSimuPart& m) {
             DrivePwm(m, kPD5, MOTOR_PWM_OUT, 0.5);
             Wire(b, s, 2, m, kPD5);
             Wire(b, s, 2, Place(b, kVCC), 0);
         },
         kNull},
        {"PWM and the wiper",
         [](TSimuBoard& b, TSimuPart& s, TSimuPart& m) {
             DrivePwm(m, kPD5, SERVO_PWM_OUT, 0.5);
             Wire(b, s, 2, m, kPD5);
             Wire(b, s, 2, Place(b, kResistor), 0);
         },
         kNull},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSimuBoard board;
        TSimuPart& scope = Place(board, kScope);
        TSimuPart& mcu = Place(board, kMCU, 300, 0);
        c.Wiring(board, scope, mcu);
        board.OScopesRecorder().ButtonRunClick();
        Ticks(board, 3);
        const TScopeRecorder& recorder = board.OScopesRecorder();
        EXPECT_EQ(Channel(recorder, 2), std::vector<TScopePoint>(3, c.Expected));
        EXPECT_EQ(Channel(recorder, 0), std::vector<TScopePoint>(3, kNull)) << "a channel left unconnected";
    }
}

TEST(ScopeProbe, WiperTraceFollowsTheSlider)
{
    TSimuBoard board;
    TSimuPart& scope = Place(board, kScope);
    auto& resistor = static_cast<TSimuResistance&>(Place(board, kResistor, 300, 0));
    Wire(board, scope, 7, resistor, 0);
    board.OScopesRecorder().ButtonRunClick();
    std::vector<TScopePoint> expected;
    for (float position : {0.25f, 0.75f, 0.0f, 1.0f}) {
        SetSliderPosition(board.Canvas(), resistor, position);
        Ticks(board, 2);
        expected.insert(expected.end(), 2, {position, false});
    }
    EXPECT_EQ(Channel(board.OScopesRecorder(), 7), expected);
}

TEST(ScopeProbe, SingleChannelProbeRecordsItsOwnWindow)
{
    TSimuBoard board;
    TSimuPart& probe = Place(board, kAudioas);
    Wire(board, probe, 0, Place(board, kVCC, 300, 0), 0);
    Place(board, kScope, 600, 0);
    board.AudioasRecorder().ButtonRunClick();
    Ticks(board, 4);
    EXPECT_EQ(Channel(board.AudioasRecorder(), 0), std::vector<TScopePoint>(4, {1.0f, false}));
    EXPECT_EQ(board.OScopesRecorder().Samples().Count(), 0) << "the other window was not started";
}

TEST(ScopeProbe, RecordingPausesWithoutAProbeAndContinuesWithANewOne)
{
    TSimuBoard board;
    board.OScopesRecorder().ButtonRunClick();
    Ticks(board, 3);
    EXPECT_EQ(board.OScopesRecorder().Samples().Count(), 0);
    TSimuPart* probe = &Place(board, kScope);
    Ticks(board, 10);
    board.DeletePart(probe);
    Ticks(board, 10);
    EXPECT_EQ(board.OScopesRecorder().Samples().Count(), 10);
    EXPECT_TRUE(board.OScopesRecorder().Sampling());
    TSimuPart& again = Place(board, kScope);
    Wire(board, again, 0, Place(board, kVCC, 300, 0), 0);
    Ticks(board, 95);
    const TScopeRecorder& recorder = board.OScopesRecorder();
    ASSERT_EQ(recorder.Samples().Count(), 105);
    EXPECT_TRUE(recorder.Samples().Point(0, 9).Null);
    EXPECT_EQ(recorder.Samples().Point(0, 10), (TScopePoint{1.0f, false}));
    EXPECT_EQ(recorder.AxisMinimum(), 100);
}

TEST(ScopeProbe, NewAndOpenKeepTheRecording)
{
    TSimuBoard board;
    TSimuPart& probe = Place(board, kAudioas);
    Wire(board, probe, 0, Place(board, kVCC, 300, 0), 0);
    const std::string circuit = WriteCircuitDocument(board);
    board.AudioasRecorder().ButtonRunClick();
    Ticks(board, 150);
    board.ClearCircuit();
    Ticks(board, 5);
    ASSERT_TRUE(ReadCircuitDocument(board, circuit).Ok);
    Ticks(board, 5);
    const TScopeRecorder& recorder = board.AudioasRecorder();
    EXPECT_EQ(recorder.Samples().Count(), 155);
    EXPECT_EQ(recorder.AxisMinimum(), 100);
    EXPECT_TRUE(recorder.Sampling());
    EXPECT_EQ(recorder.Samples().Point(0, 154), (TScopePoint{1.0f, false}));
}

// A file may hold two probes of a kind; only the one in the palette slot
// (the later one) feeds the window, once per tick.
TEST(ScopeProbe, OnlyTheProbeInItsSlotRecords)
{
    TSimuBoard board;
    const TPaletteItem& item = *PaletteItem(kScope);
    TSimuPart& first = *board.CreateFromItem(item);
    TSimuPart& second = *board.CreateFromItem(item);
    Wire(board, first, 0, Place(board, kVCC, 300, 0), 0);
    Wire(board, second, 0, Place(board, kGND, 600, 0), 0);
    board.OScopesRecorder().ButtonRunClick();
    Ticks(board, 3);
    EXPECT_EQ(Channel(board.OScopesRecorder(), 0), std::vector<TScopePoint>(3, {0.0f, false}));
}

} // namespace
} // namespace kelto
