// The motor and servo read PWM values straight from the drivers on their nets;
// the DAC turns eight logic inputs into one analogue output; the voltmeter
// shows its probe's reading as text.
#include "core/devices/analog_handlers.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/devices/fixed_format.h"
#include "core/numbers/double_bits.h"
#include "core/sim/sim_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelto {

namespace {

// Fields of single precision take any double the program produces.
float ToSingle(double value)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

struct TMotorSide {
    bool LogicDriven = false;
    bool PwmDriven = false;
    bool High = false;
    double Duty = 0.0;
};

TMotorSide ReadMotorSide(TSimEngine& engine, const TSimuMotor& motor, int pin)
{
    const TNetDrivers& drivers = engine.GatherDrivers(motor.Port(pin));
    const bool levels = drivers.AnalogCount + drivers.DigitalCount > 0;
    TMotorSide side;
    side.LogicDriven = levels && drivers.MotorCount == 0;
    side.PwmDriven = !levels && drivers.MotorCount == 1;
    side.High = drivers.AllHigh;
    side.Duty = drivers.FirstMotor;
    return side;
}

// direction 1 turns the angle up, 0 down.
void Turn(TSimuMotor& motor, double duty, uint8_t direction, double step)
{
    motor.FDuty = ToSingle(duty);
    motor.FDirection = direction;
    const double change = step * motor.FDuty;
    motor.FAngle = ToSingle(direction == 1 ? motor.FAngle + change : motor.FAngle - change);
    motor.FBody->Invalidate();
}

} // namespace

void UpdateMotor(TSimEngine& engine, TSimuMotor& motor, double deltaTime)
{
    const TMotorSide a = ReadMotorSide(engine, motor, 0);
    const TMotorSide b = ReadMotorSide(engine, motor, 1);
    const double step = deltaTime * engine.FMotorSpeedFactor;
    if (a.LogicDriven && b.PwmDriven) {
        if (!a.High)
            Turn(motor, b.Duty, 1, step);
    } else if (a.PwmDriven && b.LogicDriven) {
        if (!b.High)
            Turn(motor, a.Duty, 0, step);
    } else if (a.LogicDriven && b.LogicDriven) {
        if (a.High && !b.High)
            Turn(motor, 1.0, 0, step);
        else if (b.High && !a.High)
            Turn(motor, 1.0, 1, step);
    }
}

void UpdateServo(TSimEngine& engine, TSimuServo& servo)
{
    const TNetDrivers& drivers = engine.GatherDrivers(servo.Port(0));
    if (drivers.ServoCount != 1)
        return;
    const double position = drivers.FirstServo;
    // Whole degrees, ties to even, decide whether the horn moves at all.
    if (std::nearbyint(position * 180.0 - 90.0) == std::nearbyint(static_cast<double>(servo.FAngle)))
        return;
    servo.FPosition = ToSingle(position);
    servo.FAngle = ToSingle(static_cast<double>(servo.FPosition) * 180.0 - 90.0);
    servo.FBody->Invalidate();
}

void UpdateDAC8Bit(TSimEngine& engine, TSimuDAC8Bit& dac)
{
    constexpr int kOutputPin = 8;
    int n = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (engine.ReadPinLevel(dac.Port(bit)) != 0) // an undriven input counts as 1
            n |= 1 << bit;
    if (TSimuPortInfo* output = dac.Port(kOutputPin)) {
        output->FNextKind = ANALOG_OUT;
        output->FNextValue = n / 255.0;
        engine.QueuePort(*output);
    }
}

void UpdateVoMeter(TSimEngine& engine, TSimuVoMeter& meter)
{
    constexpr double kFullScaleVolts = 5.0;
    const TProbeReading reading = engine.ProbePin(meter.Port(0));
    TFixedText buffer;
    std::string_view text = "0.00000";
    if (reading.Status == 3 || reading.Status == 4)
        meter.FReadingValue.reset();
    else {
        // Formatting costs more than the rest of the tick: only a new value is formatted.
        const uint64_t bits = DoubleBits(reading.Value);
        if (meter.FReadingValue == bits)
            return;
        meter.FReadingValue = bits;
        text = FormatFixed(reading.Value * kFullScaleVolts, 5, buffer);
    }
    if (text != meter.FReading) {
        meter.FReading = text;
        meter.FBody->Invalidate();
    }
}

} // namespace kelto
