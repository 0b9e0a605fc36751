#include "basic_board.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using testing::TBasicBoard;

constexpr int kPd4 = kPortDBase + 4;

struct TPinState {
    TPortKind Kind;
    int32_t Level;
    double Value;
};

void ExpectPin(TBasicBoard& b, int entry, TPinState expected)
{
    const TSimuPortInfo& pin = b.PortBit(entry);
    EXPECT_EQ(pin.FKind, expected.Kind) << "entry " << entry;
    if (expected.Kind == DIGITAL_OUT) {
        EXPECT_EQ(pin.FLevel, expected.Level) << "entry " << entry;
    } else {
        EXPECT_DOUBLE_EQ(pin.FValue, expected.Value) << "entry " << entry;
    }
}

// Runs the statements, one per tick, and leaves the board after the last one's commit.
void RunThrough(TBasicBoard& b, const std::vector<std::string>& statements)
{
    std::vector<std::string> withWait = statements;
    withWait.push_back("WAIT 1000");
    ASSERT_TRUE(b.RunStatements(withWait));
    b.Tick(static_cast<int64_t>(statements.size()));
}

TEST(DeviceStatements, MotorPatternsOnPd4ToPd7)
{
    const std::pair<std::string, std::array<int32_t, 4>> cases[] = {
        {"FDX", {0, 1, 0, 1}},  {"BKX", {1, 0, 1, 0}},  {"LTX", {1, 0, 0, 1}},  {"RTX", {0, 1, 1, 0}},
        {"FD 5", {0, 1, 0, 1}}, {"BK 5", {1, 0, 1, 0}}, {"LT 5", {1, 0, 0, 1}}, {"RT 5", {0, 1, 1, 0}},
        {"B?X", {1, 0, 1, 0}},  {"L#2", {1, 0, 0, 1}},
    };
    for (const auto& [statement, levels] : cases) {
        SCOPED_TRACE(statement);
        TBasicBoard b;
        RunThrough(b, {statement});
        for (int i = 0; i < 4; ++i)
            ExpectPin(b, kPd4 + i, {DIGITAL_OUT, levels[static_cast<size_t>(i)], 0});
    }
}

TEST(DeviceStatements, TimedDrivesWaitThenStopTheMotors)
{
    const std::pair<std::string, uint8_t> cases[] = {
        {"FD 3", wkForward}, {"BK 3", wkBackward}, {"LT 3", wkLeft}, {"RT 3", wkRight}};
    for (const auto& [statement, kind] : cases) {
        SCOPED_TRACE(statement);
        TBasicBoard b;
        ASSERT_TRUE(b.RunStatements({statement, "PRINT 1"}));
        b.Tick();
        EXPECT_TRUE(b.Basic().FWaiting);
        EXPECT_EQ(b.Basic().FWaitKind, kind);
        b.Tick(2);
        EXPECT_TRUE(b.Basic().FWaiting);
        EXPECT_NE(b.PortBit(kPd4).FLevel + b.PortBit(kPd4 + 1).FLevel, 0);
        b.Tick(); // the third counted tick ends the wait and stops the motors
        EXPECT_FALSE(b.Basic().FWaiting);
        for (int i = 0; i < 4; ++i)
            ExpectPin(b, kPd4 + i, {DIGITAL_OUT, 0, 0});
        b.Tick();
        EXPECT_EQ(b.Logged.back(), (testing::TLoggedLine{5, "> 1 <"}));
    }
}

TEST(DeviceStatements, CountsOfZeroOrLessChangeNoPinAndStartNoWait)
{
    for (const std::string statement : {"FD 0", "BK -5", "LT 0", "RT -1"}) {
        SCOPED_TRACE(statement);
        TBasicBoard b;
        ASSERT_TRUE(b.RunStatements({statement, "PRINT 1"}));
        b.Tick();
        EXPECT_FALSE(b.Basic().FWaiting);
        EXPECT_EQ(b.PortBit(kPd4).FKind, DIGITAL_IN);
        b.Tick();
        EXPECT_EQ(b.Logged.back().Text, "> 1 <");
    }
}

TEST(DeviceStatements, MotorSpeedsPutTheDutyOnThePinOfTheDirection)
{
    struct TCase {
        std::string Statement;
        TPinState Pd4, Pd5, Pd6, Pd7;
    };
    const TCase cases[] = {
        {"MOTOR 255,-255",
         {DIGITAL_OUT, 0, 0},
         {MOTOR_PWM_OUT, 0, 1.0},
         {MOTOR_PWM_OUT, 0, 1.0},
         {DIGITAL_OUT, 0, 0}},
        {"MOTOR 0,0",
         {MOTOR_PWM_OUT, 0, 0.0},
         {DIGITAL_OUT, 0, 0},
         {MOTOR_PWM_OUT, 0, 0.0},
         {DIGITAL_OUT, 0, 0}},
        {"MOTOR 1000,1",
         {DIGITAL_OUT, 0, 0},
         {MOTOR_PWM_OUT, 0, 1.0},
         {DIGITAL_OUT, 0, 0},
         {MOTOR_PWM_OUT, 0, 1 / 255.0}},
        {"MOTOR -51,(2+3)*10",
         {MOTOR_PWM_OUT, 0, 0.2},
         {DIGITAL_OUT, 0, 0},
         {DIGITAL_OUT, 0, 0},
         {MOTOR_PWM_OUT, 0, 50 / 255.0}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Statement);
        TBasicBoard b;
        RunThrough(b, {c.Statement});
        ExpectPin(b, kPd4, c.Pd4);
        ExpectPin(b, kPd4 + 1, c.Pd5);
        ExpectPin(b, kPd4 + 2, c.Pd6);
        ExpectPin(b, kPd4 + 3, c.Pd7);
    }
}

TEST(DeviceStatements, MotorWithoutACommaDoesNothing)
{
    TBasicBoard b;
    RunThrough(b, {"MOTOR 255"});
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(b.PortBit(kPd4 + i).FKind, DIGITAL_IN);
}

TEST(DeviceStatements, LedDrivesTheLowThreeBitsOnPb0ToPb2)
{
    TBasicBoard b;
    RunThrough(b, {"LED 13"});
    ExpectPin(b, kPortBBase, {DIGITAL_OUT, 1, 0});
    ExpectPin(b, kPortBBase + 1, {DIGITAL_OUT, 0, 0});
    ExpectPin(b, kPortBBase + 2, {DIGITAL_OUT, 1, 0});
    EXPECT_EQ(b.PortBit(kPortBBase + 3).FKind, DIGITAL_IN);
}

TEST(DeviceStatements, DirectionAndOutputWritesTakeTheLowEightBits)
{
    TBasicBoard b;
    RunThrough(b, {"DDRD 0x1F0", "PORTD 0xFF05", "DDRC 255", "PORTC 128", "DDRX 255", "PORTQ 255"});
    for (int bit = 0; bit < 8; ++bit) {
        SCOPED_TRACE(bit);
        EXPECT_EQ(b.PortBit(kPortDBase + bit).FKind, bit >= 4 ? DIGITAL_OUT : DIGITAL_IN);
        EXPECT_EQ(b.PortBit(kPortDBase + bit).FLevel, (0x05 >> bit) & 1);
        EXPECT_EQ(b.PortBit(kPortBBase + bit).FKind, DIGITAL_IN); // X and Q name no port
    }
    for (int bit = 0; bit < 7; ++bit)
        EXPECT_EQ(b.PortBit(kPortCBase + bit).FKind, DIGITAL_OUT);
}

TEST(DeviceStatements, ServoFormsSetFivePositionsOnPc0ToPc4)
{
    struct TCase {
        std::string Statement;
        std::array<double, 5> Values;
    };
    const TCase cases[] = {
        {"SERVOE 0,9,18,36,-18,7", {0.0, 0.5, 1.0, 1.0, -1.0}},
        {"SERVOX 1,2,3,4,5,6,7,8,9", {1 / 18.0, 2 / 18.0, 3 / 18.0, 4 / 18.0, 5 / 18.0}},
        {"SERVOX 9,9,9,9,9", {0.5, 0.5, 0.5, 0.5, 0.0}}, // the fifth has no comma: unset, 0
        {"SERVOE 18", {0.0, 0.0, 0.0, 0.0, 0.0}},
        {"SERVOE 2*3,A+1,", {6 / 18.0, 1 / 18.0, 0.0, 0.0, 0.0}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Statement);
        TBasicBoard b;
        RunThrough(b, {c.Statement});
        for (int i = 0; i < 5; ++i)
            ExpectPin(b, kPortCBase + i, {SERVO_PWM_OUT, 0, c.Values[static_cast<size_t>(i)]});
        EXPECT_EQ(b.PortBit(kPortCBase + 5).FKind, DIGITAL_IN);
    }
}

TEST(DeviceStatements, PlayBuildsTheNoteStringFromDigitPairs)
{
    struct TCase {
        std::vector<std::string> Statements;
        std::string NoteString;
    };
    const TCase cases[] = {
        {{"PLAY 1438"}, "C4;48,48;E4;96"},
        {{"KEY 2", "PLAY 1438"}, "E4;48,48;G4;96"},
        {{"KEY 9", "PLAY F1"}, "C7;12"},
        {{"KEY -4", "PLAY 11"}, "C4;12"},
        {{"PLAY 14385"}, "C4;48,48;E4;96"}, // the odd character is ignored
        {{"PLAY 0A1f"}, "I0;120,120;C4;180"},
        {{"PLAY 1G"}, "C4;0"}, // not a hexadecimal digit: 0
        {{"PLAY 102132"}, "C4;0,0;D4;12,12;E4;24"},
        {{"PLAY F0e0"}, "C6;0,0;B5;0"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Statements.back());
        TBasicBoard b;
        RunThrough(b, c.Statements);
        EXPECT_EQ(b.Tone.FStrings, std::vector<std::string>{c.NoteString});
        EXPECT_TRUE(b.Basic().FWaiting);
        EXPECT_EQ(b.Basic().FWaitKind, wkPlay);
    }
}

TEST(DeviceStatements, ReachingTheHeaderAgainLeavesTheKeyShiftAlone)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"T=5", "A=A+1", "IF A<2 THEN -5", "PLAY 11", "WAIT 1000"}));
    b.Tick(8); // the IF sends the run through line 0 once
    EXPECT_EQ(b.Basic().FKeyShift, 0);
    EXPECT_EQ(b.Tone.FStrings, std::vector<std::string>{"C4;12"});
}

TEST(DeviceStatements, PlayWithoutAPairPlaysNothingAndDoesNotWait)
{
    TBasicBoard b;
    RunThrough(b, {"PLAY 1"});
    EXPECT_TRUE(b.Tone.FStrings.empty());
    EXPECT_FALSE(b.Basic().FWaiting);
}

TEST(DeviceStatements, PlayWaitsUntilTheToneGeneratorIsDone)
{
    TBasicBoard b;
    b.Tone.FPlayAfterStart = true;
    ASSERT_TRUE(b.RunStatements({"PLAY 11", "PRINT 1"}));
    b.Tick(20);
    EXPECT_EQ(b.Logged.size(), 1u);
    b.Tone.FPlaying = false;
    b.Tick(); // the wait ends
    b.Tick();
    EXPECT_EQ(b.Logged.back(), (testing::TLoggedLine{22, "> 1 <"}));
}

TEST(DeviceStatements, ARefusedTuneEndsTheWaitAtTheNextTick)
{
    TBasicBoard b;
    b.Tone.FAccept = false;
    ASSERT_TRUE(b.RunStatements({"PLAY 11", "PRINT 1"}));
    b.Tick(3);
    EXPECT_EQ(b.Logged.back(), (testing::TLoggedLine{3, "> 1 <"}));
}

TEST(DeviceStatements, VoicePlaysClipsThatExistWithoutWaiting)
{
    TBasicBoard b;
    b.Wave.FExistingFiles = {"WAV/305.WAV"};
    RunThrough(b, {"VOICEX 5", "VOICEX 105", "VOICEX 99", "VOICEX 305", "VOICEX 306", "VOICEX -1",
                   "VOICEX 2+5", "VO123X7", "VOICE 5"});
    EXPECT_EQ(b.Wave.FAsync,
              (std::vector<std::string>{"M_05WAV", "F_05WAV", "WAV/305.WAV", "M_07WAV", "M_07WAV"}));
    EXPECT_TRUE(b.Wave.FSync.empty());
    EXPECT_FALSE(b.Basic().FWaiting);
}

TEST(DeviceStatements, ClockStartsOneAnnouncementAndWaitsForIt)
{
    TBasicBoard b;
    b.ClockSpeaker.FRunAfterStart = true;
    ASSERT_TRUE(b.RunStatements({"CLOCK", "CLOCK", "PRINT 1"}));
    b.Tick(5);
    EXPECT_EQ(b.Basic().FWaitKind, wkClock);
    b.ClockSpeaker.FRunning = false;
    b.Tick(2); // the wait ends, then the second CLOCK starts another
    EXPECT_EQ(b.ClockSpeaker.FStarts, 2);
    b.Tick(3);
    EXPECT_EQ(b.Logged.size(), 1u);

    TBasicBoard quick; // two CLOCKs while one announcement runs: one start
    quick.ClockSpeaker.FRunAfterStart = true;
    quick.ClockSpeaker.FRunning = true;
    ASSERT_TRUE(quick.RunStatements({"CLOCK", "PRINT 1"}));
    quick.Tick(3);
    EXPECT_EQ(quick.ClockSpeaker.FStarts, 0);
    quick.ClockSpeaker.FRunning = false;
    quick.Tick(2);
    EXPECT_EQ(quick.Logged.back(), (testing::TLoggedLine{5, "> 1 <"}));
}

TEST(DeviceStatements, SoundRequestsReachListeners)
{
    TBasicBoard b;
    b.LocalClock.FTime = {14, 5, 0};
    b.Wave.FExistingFiles = {"WAV/305.WAV"};
    std::vector<std::string> heard;
    b.Basic().SetSoundListener([&](const TSoundRequest& request) {
        std::string text = std::string(request.Text) + "/" + std::to_string(request.Clip);
        if (request.Words != nullptr)
            for (const std::string& word : *request.Words)
                text += " " + word;
        heard.push_back(text);
    });
    RunThrough(b, {"PLAY 1438", "VOICEX 305", "VOICEX 200", "CLOCK"});
    b.Tick(2);
    EXPECT_EQ(heard, (std::vector<std::string>{"C4;48,48;E4;96/-1", "WAV/305.WAV/305",
                                               "/-1 XZ XIAWU LIANG DIAN 0 5 FEN"}));
}

} // namespace
} // namespace kelto
