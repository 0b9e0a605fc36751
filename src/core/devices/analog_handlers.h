// Tick handlers of the motor, the servo, the 8-bit DAC and the voltmeter.
#pragma once

namespace kelto {

class TSimEngine;
class TSimuMotor;
class TSimuServo;
class TSimuDAC8Bit;
class TSimuVoMeter;

// Turns the shaft by deltaTime x the engine's motor speed factor x duty.
void UpdateMotor(TSimEngine& engine, TSimuMotor& motor, double deltaTime);
void UpdateServo(TSimEngine& engine, TSimuServo& servo);
void UpdateDAC8Bit(TSimEngine& engine, TSimuDAC8Bit& dac);
void UpdateVoMeter(TSimEngine& engine, TSimuVoMeter& meter);

} // namespace kelto
