#include "cli/component_state.h"

#include "core/board/board.h"
#include "core/circuit/catalogue.h"
#include "core/devices/lcd1602.h"

#include <charconv>

namespace kelto::cli {

namespace {

template <size_t N>
void Bytes(TJsonWriter& json, std::string_view key, const std::array<uint8_t, N>& values)
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
    json.Key("displayOn").Int(lcd.FDisplayOn).Key("twoLine").Int(lcd.FTwoLine).Key("eightBit").Int(lcd.FEightBit);
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
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double shortest = value;
    std::from_chars(text, written.ptr, shortest);
    return shortest;
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

} // namespace

void WritePartFields(TJsonWriter& json, const TSimuPart& part)
{
    switch (part.FOwnerType) {
    case otMotor: {
        const auto& motor = static_cast<const TSimuMotor&>(part);
        json.Key("angle").Number(motor.FAngle).Key("duty").Number(motor.FDuty);
        json.Key("direction").Int(motor.FDirection);
        break;
    }
    case otResistance:
        json.Key("position").Number(static_cast<const TSimuResistance&>(part).FSlider->SliderPosition());
        break;
    case otLEDA: json.Key("lit").Int(static_cast<const TSimuLEDA&>(part).FLit); break;
    case otLEDB: json.Key("lit").Int(static_cast<const TSimuLEDB&>(part).FLit); break;
    case otAnNiuSwitch: {
        const auto& button = static_cast<const TSimuAnNiuSwitch&>(part);
        json.Key("closed").Int(button.FClosed).Key("normallyClosed").Int(button.FNormallyClosed);
        break;
    }
    case otZhaDaoSwitch: json.Key("closed").Int(static_cast<const TSimuZhaDaoSwitch&>(part).FClosed); break;
    case otKeypad: Bytes(json, "keys", static_cast<const TSimuKeypad&>(part).FKeys); break;
    case otServo: {
        const auto& servo = static_cast<const TSimuServo&>(part);
        json.Key("angle").Number(servo.FAngle).Key("position").Number(servo.FPosition);
        break;
    }
    case otSegDispTwo: Bytes(json, "segments", static_cast<const TSimuSegDispTwo&>(part).FSegments); break;
    case otSegDispSix: Bytes(json, "segments", static_cast<const TSimuSegDispSix&>(part).FSegments); break;
    case otLCD1602: WriteLcdFields(json, static_cast<const TSimuLCD1602&>(part)); break;
    case otBitDisp: Bytes(json, "lit", static_cast<const TSimuBitDisp&>(part).FLit); break;
    case otDFlipFlop: {
        const auto& flipFlop = static_cast<const TSimuDFlipFlop&>(part);
        json.Key("lastClock").Int(flipFlop.FLastClock).Key("q").Int(flipFlop.FQ).Key("qbar").Int(flipFlop.FQBar);
        break;
    }
    case otJKFlipFlop: {
        const auto& flipFlop = static_cast<const TSimuJKFlipFlop&>(part);
        json.Key("lastClock").Int(flipFlop.FLastClock).Key("q").Int(flipFlop.FQ).Key("qbar").Int(flipFlop.FQBar);
        break;
    }
    case otOutExpander: {
        const auto& expander = static_cast<const TSimuOutExpander&>(part);
        json.Key("lastClock").Int(expander.FLastClock);
        Bytes(json, "latches", expander.FLatches);
        break;
    }
    case otDotMat1616: Bytes(json, "dots", static_cast<const TSimuDotMat1616&>(part).FDots); break;
    case otDotMat3232: Bytes(json, "dots", static_cast<const TSimuDotMat3232&>(part).FDots); break;
    case otVoMeter: json.Key("reading").String(static_cast<const TSimuVoMeter&>(part).FReading); break;
    default: break;
    }
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
    WriteScope(json, "scope", board.OScopesRecorder());
    WriteScope(json, "scope1", board.AudioasRecorder());
    json.EndObject();
}

} // namespace kelto::cli
