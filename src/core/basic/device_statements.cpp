// Statements that drive the microcontroller's pins or make sound: motors on
// PD4..PD7, LEDs on PB0..PB2, whole ports, servos on PC0..PC4, PLAY, the
// voice clips and the spoken clock. Pin writes take effect at the commit.
#include "core/basic/basic_value.h"
#include "core/basic/interpreter.h"
#include "core/basic/statement_layout.h"
#include "core/sim/sim_engine.h"
#include "core/sound/speech.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace kelto {

namespace {

constexpr int kPd4 = kPortDBase + 4;
constexpr int kPd6 = kPortDBase + 6;
constexpr int kServoCount = 5;
constexpr int16_t kServoFullScale = 18;

constexpr std::array<std::string_view, 23> NoteNames = {
    "",   "C4", "D4", "E4", "F4", "G4", "A4", "B4", "C5", "D5", "E5", "F5",
    "G5", "A5", "B5", "C6", "D6", "E6", "F6", "G6", "A6", "B6", "C7",
};

int HexDigitOrZero(uint8_t c)
{
    return std::max(HexDigitValue(c), 0);
}

} // namespace

void TBasicInterpreter::WriteDigital(int entry, int32_t level)
{
    if (TSimuPortInfo* record = FEngine.McuPortRecord(entry)) {
        record->FNextKind = DIGITAL_OUT;
        record->FNextLevel = level;
        FEngine.QueuePort(*record);
    }
}

void TBasicInterpreter::WritePwm(int entry, TPortKind kind, double value)
{
    if (TSimuPortInfo* record = FEngine.McuPortRecord(entry)) {
        record->FNextKind = kind;
        record->FNextValue = value;
        FEngine.QueuePort(*record);
    }
}

void TBasicInterpreter::DriveMotorPins(const TMotorPattern& pattern)
{
    for (size_t i = 0; i < pattern.size(); ++i)
        WriteDigital(kPd4 + static_cast<int>(i), pattern[i]);
}

void TBasicInterpreter::StopMotors()
{
    DriveMotorPins({0, 0, 0, 0});
}

void TBasicInterpreter::ExecuteTimedDrive(const TMotorPattern& pattern, TWaitKind kind,
                                          const TStatementLayout& layout)
{
    if (layout.Untimed) {
        DriveMotorPins(pattern);
        return;
    }
    const int16_t ticks = EvaluateSpan(layout, 0);
    if (ticks <= 0)
        return;
    DriveMotorPins(pattern);
    StartWait(kind, ticks);
}

void TBasicInterpreter::SetMotorPair(int firstEntry, int16_t speed)
{
    const double s = std::clamp<int16_t>(speed, -255, 255) / 255.0;
    // The pin that carries the duty gives the direction.
    if (s > 0) {
        WriteDigital(firstEntry, 0);
        WritePwm(firstEntry + 1, MOTOR_PWM_OUT, std::fabs(s));
    } else {
        WritePwm(firstEntry, MOTOR_PWM_OUT, std::fabs(s));
        WriteDigital(firstEntry + 1, 0);
    }
}

void TBasicInterpreter::ExecuteMotor(const TStatementLayout& layout)
{
    const int16_t first = EvaluateSpan(layout, 0);
    const int16_t second = EvaluateSpan(layout, 1);
    SetMotorPair(kPd4, first);
    SetMotorPair(kPd6, second);
}

void TBasicInterpreter::ExecuteLed(const TStatementLayout& layout)
{
    const int16_t bits = EvaluateSpan(layout, 0);
    for (int bit = 0; bit < 3; ++bit)
        WriteDigital(kPortBBase + bit, (bits >> bit) & 1);
}

void TBasicInterpreter::ExecutePortWrite(bool direction, const TStatementLayout& layout)
{
    const int16_t value = static_cast<int16_t>(EvaluateSpan(layout, 0) & 0xFF);
    TMcuPort port = TMcuPort::B;
    switch (layout.Letter) {
    case 'B': port = TMcuPort::B; break;
    case 'C': port = TMcuPort::C; break;
    case 'D': port = TMcuPort::D; break;
    default: return;
    }
    if (direction)
        FEngine.WritePortDirection(port, value);
    else
        FEngine.WritePortOutput(port, value);
}

// Five comma-ended positions (at most 18, full scale), for the X form three
// skipped fields, then a last value read and ignored. A position whose comma
// is missing is 0.
void TBasicInterpreter::ExecuteServos(const TStatementLayout& layout)
{
    std::array<int16_t, kServoCount> positions{};
    const int last = layout.ExpressionCount - 1;
    for (int i = 0; i < last; ++i)
        positions[static_cast<size_t>(i)] = std::min(EvaluateSpan(layout, i), kServoFullScale);
    EvaluateSpan(layout, last);
    for (int i = 0; i < kServoCount; ++i)
        WritePwm(kPortCBase + i, SERVO_PWM_OUT, positions[static_cast<size_t>(i)] / double{kServoFullScale});
}

void TBasicInterpreter::ExecuteKey(const TStatementLayout& layout)
{
    FKeyShift = std::clamp<int16_t>(EvaluateSpan(layout, 0), 0, 7);
}

// The text after PLAY is read as (pitch, duration) hex digit pairs; each
// note starts when the previous one ends.
void TBasicInterpreter::ExecutePlay(int32_t textStart)
{
    const int32_t pairs = std::max(0, FStatement.Length() - textStart) / 2;
    if (pairs == 0)
        return;
    FNoteString.clear();
    int previousTicks = 0;
    for (int32_t i = 0; i < pairs; ++i) {
        const int pitch = HexDigitOrZero(Char(textStart + 2 * i));
        const int ticks = HexDigitOrZero(Char(textStart + 2 * i + 1)) * 12;
        const int noteIndex = std::clamp(pitch + FKeyShift, 1, static_cast<int>(NoteNames.size()) - 1);
        if (i > 0) {
            FNoteString += ',';
            FNoteString += std::to_string(previousTicks);
            FNoteString += ';';
        }
        FNoteString += pitch == 0 ? std::string_view("I0") : NoteNames[static_cast<size_t>(noteIndex)];
        FNoteString += ';';
        FNoteString += std::to_string(ticks);
        previousTicks = ticks;
    }
    FDevices.ToneGenerator->PlayString(FNoteString);
    if (FOnSoundRequest)
        FOnSoundRequest({TSoundRequest::TKind::Play, FNoteString, -1, nullptr});
    // A refused string ends the wait at the next tick, when IsPlaying is false.
    StartWait(wkPlay, 0);
}

void TBasicInterpreter::ExecuteVoice(const TStatementLayout& layout)
{
    const int16_t clip = EvaluateSpan(layout, 0);
    if (clip < 0)
        return;
    const std::string source = PlayVoiceClip(clip, *FDevices.WavePlayer);
    if (!source.empty() && FOnSoundRequest)
        FOnSoundRequest({TSoundRequest::TKind::Voice, source, clip, nullptr});
}

void TBasicInterpreter::ExecuteClock()
{
    const bool announcing = FDevices.ClockSpeaker->ClockRunning();
    FDevices.ClockSpeaker->StartClock();
    if (!announcing && FOnSoundRequest) {
        FClockWords = ClockWordsAt(FDevices.LocalClock->Now());
        FOnSoundRequest({TSoundRequest::TKind::Clock, {}, -1, &FClockWords});
    }
    StartWait(wkClock, 0);
}

} // namespace kelto
