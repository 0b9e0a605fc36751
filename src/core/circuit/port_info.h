// The signal record of one pin, the port kinds and the component type codes.
#pragma once

#include <cstdint>

namespace kelto {

class TSimuPart;

enum TPortKind : uint8_t {
    ANALOG_IN = 0,
    ANALOG_OUT = 1,
    DIGITAL_IN = 2,
    DIGITAL_OUT = 3,
    DIGITAL_BID = 4,
    SWITCH_CONN = 5,
    SERVO_PWM_IN = 6,
    SERVO_PWM_OUT = 7,
    MOTOR_PWM_IN = 8,
    MOTOR_PWM_OUT = 9,
    SCOPE_IN = 10,
};

enum TOwnerType : uint8_t {
    otMotor = 0,
    otResistance = 1,
    otLEDA = 2,
    otLEDB = 3,
    otAnNiuSwitch = 4,
    otZhaDaoSwitch = 5,
    otMCU = 6,
    otVCC = 7,
    otGND = 8,
    otSpeaker = 9,
    otKeypad = 10,
    otMicphone = 11,
    otServo = 12,
    otSegDispTwo = 13,
    otSegDispSix = 14,
    otLCD1602 = 15,
    otOScopes = 16,
    otAudioas = 17,
    otDAC8Bit = 18,
    otBitDisp = 19,
    otNOTGate = 20,
    otANDGate = 21,
    otORGate = 22,
    otANDNGate = 23,
    otORNGate = 24,
    otDFlipFlop = 25,
    otJKFlipFlop = 26,
    otOutExpander = 27,
    otDotMat1616 = 28,
    otDotMat3232 = 29,
    otVoMeter = 30,
};

constexpr int kOwnerTypeCount = 31;

constexpr bool IsValidOwnerType(int value)
{
    return value >= 0 && value < kOwnerTypeCount;
}

// Writers fill the next fields and queue the record; the commit at the end of
// the tick copies all three at once (see TSimEngine::CommitPendingPorts).
// Every pin has one, kept inline in its part: the widest fields first, so
// that the record packs into 40 bytes.
struct TSimuPortInfo {
    TSimuPart* FOwner = nullptr;
    double FValue = 0.0;
    double FNextValue = 0.0;
    int32_t FLevel = 0;
    int32_t FNextLevel = 0;
    int32_t FPinIndex = 0;
    TPortKind FKind = ANALOG_IN;
    TPortKind FNextKind = ANALOG_IN;
    TOwnerType FOwnerType = otMotor;
};

} // namespace kelto
