// Motor, servo, DAC, voltmeter and the voltmeter's number format.
#include "core/devices/fixed_format.h"
#include "device_rig.h"

#include <gtest/gtest.h>

#include <functional>

namespace kelto {
namespace {

using namespace kelto::testing;

struct TMotorRig {
    TDeviceRig Rig;
    TSimuMotor& Motor = Rig.Add<TSimuMotor>(otMotor);
    TSource A = Rig.Source();
    TSource B = Rig.Source();
    TMotorRig()
    {
        Rig.Engine.FMotorSpeedFactor = 120.0;
        Rig.Wire(A, Motor.Pin(0));
        Rig.Wire(B, Motor.Pin(1));
    }
    // Degrees turned over one simulated second of 100 ticks.
    double TurnOneSecond()
    {
        const float before = Motor.FAngle;
        for (int i = 0; i < 100; ++i)
            Rig.Tick(0.01);
        return static_cast<double>(Motor.FAngle) - before;
    }
};

TEST(Motor, TurnsAtTheSpeedFactorTimesDutyInTheDrivenDirection)
{
    struct TCase {
        const char* Name;
        int A; // -1 released, 2 motor PWM 0.4
        int B;
        double DegreesPerSecond;
        uint8_t Direction;
        float Duty;
    };
    const TCase cases[] = {
        {"A supply, B ground", 1, 0, -120.0, 0, 1.0f}, {"A ground, B supply", 0, 1, 120.0, 1, 1.0f},
        {"both supply", 1, 1, 0.0, 1, 0.0f},           {"both ground", 0, 0, 0.0, 1, 0.0f},
        {"A unconnected", -1, 0, 0.0, 1, 0.0f},        {"B duty 0.4, A low", 0, 2, 0.4 * 120.0, 1, 0.4f},
        {"B duty 0.4, A high", 1, 2, 0.0, 1, 0.0f},    {"A duty 0.4, B low", 2, 0, -0.4 * 120.0, 0, 0.4f},
        {"duty on both sides", 2, 2, 0.0, 1, 0.0f},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TMotorRig m;
        const auto drive = [](TSource& side, int how) {
            if (how == 2)
                side.MotorDuty(0.4);
            else if (how >= 0)
                side.Level(how);
        };
        drive(m.A, c.A);
        drive(m.B, c.B);
        EXPECT_NEAR(m.TurnOneSecond(), c.DegreesPerSecond, 1e-3);
        EXPECT_EQ(m.Motor.FDirection, c.Direction);
        EXPECT_FLOAT_EQ(m.Motor.FDuty, c.Duty);
    }
}

TEST(Motor, PwmSideWithAnotherDriverStandsStillAndKeepsTheLastDuty)
{
    TMotorRig m;
    m.A.Level(0);
    m.B.MotorDuty(0.5);
    m.TurnOneSecond();
    TSource extra = m.Rig.Source();
    extra.Level(1);
    m.Rig.Wire(extra, m.Motor.Pin(1));
    const float angle = m.Motor.FAngle;
    m.Rig.Ticks(10);
    EXPECT_EQ(m.Motor.FAngle, angle);
    EXPECT_EQ(m.Rig.Repaints(m.Motor), 0);
    EXPECT_FLOAT_EQ(m.Motor.FDuty, 0.5f);
    EXPECT_EQ(m.Motor.FDirection, 1);
}

TEST(Motor, AngleIsNotReducedModuloAFullTurn)
{
    TMotorRig m;
    m.A.Level(0);
    m.B.Level(1);
    for (int s = 0; s < 5; ++s)
        m.TurnOneSecond();
    EXPECT_NEAR(m.Motor.FAngle, 600.0, 0.05);
}

TEST(Servo, TakesTheAngleOfASingleServoOutputRoundedToWholeDegrees)
{
    TDeviceRig rig;
    auto& servo = rig.Add<TSimuServo>(otServo);
    TSource control = rig.Source();
    rig.Wire(control, servo.Pin(0));
    control.ServoPosition(0.25);
    rig.Tick();
    EXPECT_FLOAT_EQ(servo.FAngle, -45.0f);
    EXPECT_FLOAT_EQ(servo.FPosition, 0.25f);
    EXPECT_EQ(rig.Repaints(servo), 1);

    control.ServoPosition(0.2503); // still -45 after rounding
    rig.Tick();
    EXPECT_FLOAT_EQ(servo.FPosition, 0.25f);
    EXPECT_EQ(rig.Repaints(servo), 0);

    control.ServoPosition(1.0);
    rig.Tick();
    EXPECT_FLOAT_EQ(servo.FAngle, 90.0f);
}

TEST(Servo, HalfDegreeTiesRoundToEven)
{
    // 0.625 gives exactly 22.5 degrees, which rounds to 22, not 23.
    for (const float start : {22.0f, 23.0f}) {
        SCOPED_TRACE(start);
        TDeviceRig rig;
        auto& servo = rig.Add<TSimuServo>(otServo);
        TSource control = rig.Source();
        rig.Wire(control, servo.Pin(0));
        servo.FAngle = start;
        control.ServoPosition(0.625);
        rig.Tick();
        EXPECT_FLOAT_EQ(servo.FAngle, start == 22.0f ? 22.0f : 22.5f);
    }
}

TEST(Servo, HoldsWithoutExactlyOneServoOutput)
{
    TDeviceRig rig;
    auto& servo = rig.Add<TSimuServo>(otServo);
    TSource first = rig.Source();
    TSource second = rig.Source();
    TSource level = rig.Source();
    rig.Wire(first, servo.Pin(0));
    rig.Wire(second, servo.Pin(0));
    rig.Wire(level, servo.Pin(0));
    first.ServoPosition(0.0);
    second.ServoPosition(1.0);
    rig.Tick();
    EXPECT_FLOAT_EQ(servo.FAngle, 0.0f);
    second.Release();
    level.Level(1); // other kinds are ignored
    rig.Tick();
    EXPECT_FLOAT_EQ(servo.FAngle, -90.0f);
}

TEST(Dac, OutputsTheInputBitsOverTwoFiftyFiveOneTickLater)
{
    struct TCase {
        const char* Name;
        int GroundedInputs; // bits wired to ground
        double Value;
    };
    const TCase cases[] = {
        {"all unconnected", 0x00, 1.0}, {"all grounded", 0xFF, 0.0}, {"0..6 grounded", 0x7F, 128.0 / 255.0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDeviceRig rig;
        auto& dac = rig.Add<TSimuDAC8Bit>(otDAC8Bit);
        TSource ground = rig.Source();
        ground.Level(0);
        for (int bit = 0; bit < 8; ++bit)
            if (c.GroundedInputs & (1 << bit))
                rig.Wire(ground, dac.Pin(bit));
        EXPECT_EQ(dac.Port(8)->FValue, 0.0);
        rig.Tick();
        EXPECT_EQ(dac.Port(8)->FKind, ANALOG_OUT);
        EXPECT_DOUBLE_EQ(dac.Port(8)->FValue, c.Value);
    }
}

TEST(VoMeter, ShowsTheProbeReadingTimesFiveVolts)
{
    struct TCase {
        const char* Name;
        std::function<void(TDeviceRig&, TdxFcObject*)> Build;
        const char* Reading;
    };
    const TCase cases[] = {
        {"unconnected", [](TDeviceRig&, TdxFcObject*) {}, "0.00000"},
        {"supply",
         [](TDeviceRig& rig, TdxFcObject* probe) {
             TSource s = rig.Source();
             s.Level(1);
             rig.Wire(s, probe);
         },
         "5.00000"},
        {"supply and ground",
         [](TDeviceRig& rig, TdxFcObject* probe) {
             TSource s = rig.Source();
             TSource g = rig.Source();
             s.Level(1);
             g.Level(0);
             rig.Wire(s, probe);
             rig.Wire(g, probe);
         },
         "0.00000"},
        {"wiper at 0.25",
         [](TDeviceRig& rig, TdxFcObject* probe) {
             TSource s = rig.Source();
             s.Analog(0.25);
             rig.Wire(s, probe);
         },
         "1.25000"},
        {"motor duty 0.4",
         [](TDeviceRig& rig, TdxFcObject* probe) {
             TSource s = rig.Source();
             s.MotorDuty(0.4);
             rig.Wire(s, probe);
         },
         "2.00000"},
        {"servo output with a level driver",
         [](TDeviceRig& rig, TdxFcObject* probe) {
             TSource s = rig.Source();
             TSource l = rig.Source();
             s.ServoPosition(0.6);
             l.Level(1);
             rig.Wire(s, probe);
             rig.Wire(l, probe);
         },
         "0.00000"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDeviceRig rig;
        auto& meter = rig.Add<TSimuVoMeter>(otVoMeter);
        c.Build(rig, meter.Pin(0));
        rig.Tick();
        EXPECT_EQ(meter.FReading, c.Reading);
        EXPECT_EQ(rig.Repaints(meter), std::string(c.Reading) == "0.00000" ? 0 : 1);
    }
}

// Each tick's reading, whether the value it is made from is new or was shown
// before an undriven tick.
TEST(VoMeter, FollowsTheProbeTickAfterTick)
{
    TDeviceRig rig;
    auto& meter = rig.Add<TSimuVoMeter>(otVoMeter);
    TSource s = rig.Source();
    rig.Wire(s, meter.Pin(0));
    const auto expect = [&](const char* reading, int repaints) {
        rig.Tick();
        EXPECT_EQ(meter.FReading, reading);
        EXPECT_EQ(rig.Repaints(meter), repaints);
    };
    s.Analog(0.25);
    expect("1.25000", 1);
    expect("1.25000", 0);
    s.Analog(0.5);
    expect("2.50000", 1);
    s.Release();
    expect("0.00000", 1);
    s.Analog(0.5);
    expect("2.50000", 1);
}

TEST(FixedFormat, RoundsFifteenSignificantDigitsHalfAwayFromZero)
{
    struct TCase {
        double Value;
        int Digits;
        const char* Text;
    };
    const TCase cases[] = {
        {2.5, 5, "2.50000"},
        {0.0, 5, "0.00000"},
        {5.0 / 255.0, 5, "0.01961"},
        {0.123455, 5, "0.12346"}, // just below the tie in binary, a tie in 15 digits
        {9.999995, 5, "10.00000"},
        {0.000004, 5, "0.00000"},
        {0.000005, 5, "0.00001"},
        {-0.000001, 5, "0.00000"},
        {-1.5, 5, "-1.50000"},
        {123456789012.0, 5, "123456789012.00000"},
        {1e20, 2, "100000000000000000000.00"},
        {2.5, 0, "3"},
        // Whole numbers, on both sides of the largest with 15 digits.
        {-0.0, 5, "0.00000"},
        {5.0, 5, "5.00000"},
        {-7.0, 0, "-7"},
        {-123.0, 15, "-123.000000000000000"},
        {4.0, 20, "4.000000000000000"},
        {3.0, -2, "3"},
        {999999999999999.0, 2, "999999999999999.00"},
        {1e15, 1, "1000000000000000.0"},
        {-1e15 - 2.0, 0, "-1000000000000000"}, // 15 digits kept
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TFixedText buffer;
        EXPECT_EQ(FormatFixed(c.Value, c.Digits, buffer), c.Text);
    }
}

} // namespace
} // namespace kelto
