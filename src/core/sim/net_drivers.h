// What the drivers found on one net add up to, folded in the net's pin order
// as they are found, so a read of a kept net costs a lookup.
#pragma once

#include "core/circuit/port_info.h"

#include <algorithm>
#include <cstdint>

namespace kelto {

struct TNetDrivers {
    int32_t AnalogCount = 0;
    int32_t DigitalCount = 0;
    int32_t MotorCount = 0;
    int32_t ServoCount = 0;
    double FirstMotor = 0.0; // the first motor PWM value met, 0.0 when none
    double FirstServo = 0.0;

    // Worked out by Finish from the folds below.
    bool Driven = false;      // any analogue or digital driver
    bool AllHigh = true;      // every analogue value >= 0.5 and every digital level >= 1
    double AnalogLevel = 1.0; // the lowest analogue value capped at 1.0, 0.0 once a digital level is low

    void Clear() { *this = TNetDrivers{}; }
    void Add(const TSimuPortInfo& record)
    {
        switch (record.FKind) {
        case ANALOG_OUT:
            ++AnalogCount;
            FAnalogHigh = FAnalogHigh && record.FValue >= 0.5;
            // std::min's argument order decides which value a NaN leaves behind.
            FAnalogMin = std::min(record.FValue, FAnalogMin);
            break;
        case DIGITAL_OUT:
            ++DigitalCount;
            FDigitalHigh = FDigitalHigh && record.FLevel >= 1;
            break;
        case MOTOR_PWM_OUT:
            if (MotorCount++ == 0)
                FirstMotor = record.FValue;
            break;
        case SERVO_PWM_OUT:
            if (ServoCount++ == 0)
                FirstServo = record.FValue;
            break;
        default: break;
        }
    }
    void Finish()
    {
        Driven = AnalogCount + DigitalCount > 0;
        AllHigh = FDigitalHigh && FAnalogHigh;
        AnalogLevel = FDigitalHigh ? FAnalogMin : 0.0;
    }

private:
    bool FDigitalHigh = true;
    bool FAnalogHigh = true;
    double FAnalogMin = 1.0;
};

} // namespace kelto
