#include "cli/component_state.h"

#include "core/board/board.h"
#include "core/circuit/catalogue.h"
#include "core/circuit/type_table.h"
#include "core/devices/lcd1602.h"
#include "core/instruments/scope_export.h"
#include "core/numbers/number_text.h"
#include "core/replay/user_action.h"

namespace kelto::cli {

namespace {

template <size_t N> void Bytes(TJsonWriter& json, std::string_view key, const std::array<uint8_t, N>& values)
{
    json.Key(key).BeginArray();
    for (uint8_t v : values)
        json.Int(v);
    json.EndArray();
}

void WriteLcdFields(TJsonWriter& json, const TSimuLCD1602& lcd)
{
    Bytes(json, "ddram", lcd.FDDRAM);
    Bytes(json, "cgram", lcd.FCGRAM);
    Bytes(json, "cells", lcd.FCellDots);
    json.Key("address").Int(lcd.FAddress);
    json.Key("displayOn")
        .Int(lcd.FDisplayOn)
        .Key("twoLine")
        .Int(lcd.FTwoLine)
        .Key("eightBit")
        .Int(lcd.FEightBit);
    json.Key("shift").Int(lcd.FDisplayShift);
    json.Key("cursorOn").Int(lcd.FCursorOn).Key("blinkOn").Int(lcd.FBlinkOn);
    json.Key("text").BeginArray().String(ShownLineText(lcd, 0)).String(ShownLineText(lcd, 1)).EndArray();
}

void WritePins(TJsonWriter& json, const TSimuPart& part)
{
    json.Key("pins").BeginArray();
    for (int32_t i = 0; i < part.PinCount(); ++i) {
        const TSimuPortInfo& record = *part.Port(i);
        json.BeginObject();
        json.Key("kind").Int(record.FKind);
        json.Key("level").Int(record.FLevel);
        json.Key("value").Number(record.FValue);
        json.EndObject();
    }
    json.EndArray();
}

// Samples are floats: written with the fewest digits that read back as the
// same float, so 0.3 shows as 0.3 and not as the float's exact binary value.
double ShortestDecimal(float value)
{
    return ReadDecimal(ShortestText(value)).value_or(value);
}

void WriteScope(TJsonWriter& json, std::string_view key, const TScopeRecorder& scope)
{
    json.Key(key).BeginObject();
    json.Key("sampling").Bool(scope.Sampling());
    json.Key("axisMinimum").Int(scope.AxisMinimum()).Key("axisMaximum").Int(scope.AxisMaximum());
    const TScopeSamples& samples = scope.Samples();
    json.Key("samples").BeginArray();
    for (int32_t c = 0; c < samples.ChannelCount(); ++c) {
        json.BeginArray();
        for (int64_t i = 0; i < samples.Count(); ++i) {
            const TScopePoint point = samples.Point(c, i);
            if (point.Null)
                json.Null();
            else
                json.Number(ShortestDecimal(point.Y));
        }
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
}

template <typename TPart> const TPart& As(const TSimuPart& part)
{
    return static_cast<const TPart&>(part);
}

using TFieldWriter = void (*)(TJsonWriter&, const TSimuPart&);

void NoFields(TJsonWriter&, const TSimuPart&)
{
}

void MotorFields(TJsonWriter& json, const TSimuPart& part)
{
    const auto& motor = As<TSimuMotor>(part);
    json.Key("angle").Number(motor.FAngle).Key("duty").Number(motor.FDuty);
    json.Key("direction").Int(motor.FDirection);
}

void ResistanceFields(TJsonWriter& json, const TSimuPart& part)
{
    json.Key("position").Number(As<TSimuResistance>(part).FSlider->SliderPosition());
}

template <typename TPart> void LitFields(TJsonWriter& json, const TSimuPart& part)
{
    json.Key("lit").Int(As<TPart>(part).FLit);
}

void PushButtonFields(TJsonWriter& json, const TSimuPart& part)
{
    const auto& button = As<TSimuAnNiuSwitch>(part);
    json.Key("closed").Int(button.FClosed).Key("normallyClosed").Int(button.FNormallyClosed);
}

void SwitchFields(TJsonWriter& json, const TSimuPart& part)
{
    json.Key("closed").Int(As<TSimuZhaDaoSwitch>(part).FClosed);
}

void KeypadFields(TJsonWriter& json, const TSimuPart& part)
{
    Bytes(json, "keys", As<TSimuKeypad>(part).FKeys);
}

void ServoFields(TJsonWriter& json, const TSimuPart& part)
{
    const auto& servo = As<TSimuServo>(part);
    json.Key("angle").Number(servo.FAngle).Key("position").Number(servo.FPosition);
}

template <typename TPart> void SegmentFields(TJsonWriter& json, const TSimuPart& part)
{
    Bytes(json, "segments", As<TPart>(part).FSegments);
}

void LcdFields(TJsonWriter& json, const TSimuPart& part)
{
    WriteLcdFields(json, As<TSimuLCD1602>(part));
}

void BitDispFields(TJsonWriter& json, const TSimuPart& part)
{
    Bytes(json, "lit", As<TSimuBitDisp>(part).FLit);
}

template <typename TPart> void FlipFlopFields(TJsonWriter& json, const TSimuPart& part)
{
    const auto& flipFlop = As<TPart>(part);
    json.Key("lastClock").Int(flipFlop.FLastClock).Key("q").Int(flipFlop.FQ).Key("qbar").Int(flipFlop.FQBar);
}

void ExpanderFields(TJsonWriter& json, const TSimuPart& part)
{
    const auto& expander = As<TSimuOutExpander>(part);
    json.Key("lastClock").Int(expander.FLastClock);
    Bytes(json, "latches", expander.FLatches);
}

template <typename TPart> void DotFields(TJsonWriter& json, const TSimuPart& part)
{
    Bytes(json, "dots", As<TPart>(part).FDots);
}

void VoMeterFields(TJsonWriter& json, const TSimuPart& part)
{
    json.Key("reading").String(As<TSimuVoMeter>(part).FReading);
}

constexpr TPartTable<TFieldWriter> kFieldWriters = MakePartTable<TFieldWriter>({
    {otMotor, MotorFields},
    {otResistance, ResistanceFields},
    {otLEDA, LitFields<TSimuLEDA>},
    {otLEDB, LitFields<TSimuLEDB>},
    {otAnNiuSwitch, PushButtonFields},
    {otZhaDaoSwitch, SwitchFields},
    {otMCU, NoFields},
    {otVCC, NoFields},
    {otGND, NoFields},
    {otSpeaker, NoFields},
    {otKeypad, KeypadFields},
    {otMicphone, NoFields},
    {otServo, ServoFields},
    {otSegDispTwo, SegmentFields<TSimuSegDispTwo>},
    {otSegDispSix, SegmentFields<TSimuSegDispSix>},
    {otLCD1602, LcdFields},
    {otOScopes, NoFields},
    {otAudioas, NoFields},
    {otDAC8Bit, NoFields},
    {otBitDisp, BitDispFields},
    {otNOTGate, NoFields},
    {otANDGate, NoFields},
    {otORGate, NoFields},
    {otANDNGate, NoFields},
    {otORNGate, NoFields},
    {otDFlipFlop, FlipFlopFields<TSimuDFlipFlop>},
    {otJKFlipFlop, FlipFlopFields<TSimuJKFlipFlop>},
    {otOutExpander, ExpanderFields},
    {otDotMat1616, DotFields<TSimuDotMat1616>},
    {otDotMat3232, DotFields<TSimuDotMat3232>},
    {otVoMeter, VoMeterFields},
});

} // namespace

void WritePartFields(TJsonWriter& json, const TSimuPart& part)
{
    if (IsValidOwnerType(part.FOwnerType))
        kFieldWriters[part.FOwnerType](json, part);
}

void WriteComponents(TJsonWriter& json, const TSimuBoard& board)
{
    json.Key("components").BeginArray();
    for (int32_t i = 0; i < board.PartCount(); ++i) {
        const TSimuPart& part = *board.Part(i);
        const TClassInfo& info = ClassInfo(part.FOwnerType);
        json.BeginObject();
        json.Key("index").Int(i);
        json.Key("class").String(info.ClassName);
        json.Key("type").Int(info.FileType);
        json.Key("name").String(part.FName);
        json.Key("item").String(PartCaption(part));
        json.Key("x").Int(part.FBody->Left());
        json.Key("y").Int(part.FBody->Top());
        WritePins(json, part);
        json.Key("state").BeginObject();
        WritePartFields(json, part);
        json.EndObject();
        json.EndObject();
    }
    json.EndArray();
}

void WriteScopes(TJsonWriter& json, const TSimuBoard& board)
{
    json.Key("scopes").BeginObject();
    WriteScope(json, kOScopesDataName, board.OScopesRecorder());
    WriteScope(json, kAudioasDataName, board.AudioasRecorder());
    json.EndObject();
}

std::string StateJson(const TSimuBoard& board, int64_t ticks)
{
    const TBasicInterpreter& basic = board.Basic();
    TJsonWriter json;
    json.BeginObject();
    json.Key("ticks").Int(ticks);
    json.Key("running").Bool(basic.FRunning);
    json.Key("log").BeginArray();
    for (const std::string& line : basic.FMessageLines)
        json.String(line);
    json.EndArray();
    json.Key("line").Int(basic.FCurrentLine);
    json.Key("variables").BeginObject();
    for (size_t i = 0; i < basic.FVariables.size(); ++i)
        json.Key(std::string(1, static_cast<char>('A' + i))).Int(basic.FVariables[i]);
    json.EndObject();
    WriteComponents(json, board);
    WriteScopes(json, board);
    json.EndObject();
    return json.Text() + "\n";
}

} // namespace kelto::cli
