// The step: run flags, waits, the line lookup, the dispatch on a statement's
// first characters, and the control-flow statements.
#include "core/basic/basic_value.h"
#include "core/basic/interpreter.h"
#include "core/basic/statement_layout.h"

#include <string>

namespace kelto {

namespace {

constexpr std::string_view kEndLine = "结束";
constexpr std::string_view kHeaderStatement = "KELTOBASIC";

} // namespace

int16_t TBasicInterpreter::FindLine(int16_t target)
{
    for (size_t i = 0; i < FProgram.size(); ++i)
        if (FProgram[i].Number >= target) {
            FStatement.Load(FProgram[i].StatementText);
            FFoundRow = static_cast<int32_t>(i);
            return static_cast<int16_t>(FProgram[i].Number);
        }
    return -1;
}

bool TBasicInterpreter::HeaderPresent()
{
    return FindLine(0) != -1 && FStatement.Text() == kHeaderStatement;
}

void TBasicInterpreter::FinishRun()
{
    EndRun();
    LogLine(kEndLine);
    StopMotors();
    FLastStep.Kind = TStepReport::TKind::End;
}

void TBasicInterpreter::ExecuteStatement()
{
    if (FMinimized || (FPaused && !FStepRequested) || !FRunning)
        return;
    if (FStopRequested) {
        FStopRequested = false;
        FinishRun();
        return;
    }
    if (FWaiting) {
        HandleWait();
        return;
    }
    if (FCurrentLine == 0) {
        FinishRun();
        return;
    }
    const int16_t line = FindLine(FCurrentLine);
    if (line == -1) {
        FinishRun();
        return;
    }
    FCurrentLine = line;
    FExecutedRow = FFoundRow;
    FLastStep = {TStepReport::TKind::Statement, line, 0, 0};
    FStepRequested = false;
    Dispatch();
    // No line lies above 32767: stepping past it ends the program rather
    // than wrapping round to the lowest numbers and starting over.
    FCurrentLine = FCurrentLine == INT16_MAX ? 0 : WrapValue(FCurrentLine + 1);
}

void TBasicInterpreter::StartWait(TWaitKind kind, int16_t count)
{
    FWaiting = true;
    FWaitKind = kind;
    FWaitCount = count;
}

void TBasicInterpreter::HandleWait()
{
    switch (FWaitKind) {
    case wkPlay:
        if (!FDevices.ToneGenerator->IsPlaying())
            FWaiting = false;
        break;
    case wkClock:
        if (!FDevices.ClockSpeaker->ClockRunning())
            FWaiting = false;
        break;
    default:
        FWaitCount = WrapValue(FWaitCount - 1);
        if (FWaitCount <= 0) {
            if (FWaitKind != wkTicks)
                StopMotors();
            FWaiting = false;
        }
        break;
    }
    FLastStep = {TStepReport::TKind::Wait, 0, FWaitKind, FWaitCount};
}

int16_t TBasicInterpreter::EvaluateSpan(const TStatementLayout& layout, int index)
{
    const TExpressionSpan& span = layout.Expressions[static_cast<size_t>(index)];
    if (span.Terminator >= 0)
        FStatement.Terminate(span.Terminator);
    return EvaluateAt(span.Begin);
}

void TBasicInterpreter::Dispatch()
{
    using K = TStatementKind;
    const TStatementLayout layout = LayOutStatement(FStatement);
    if (layout.Searches)
        FSplitMark = layout.SplitMark;
    if (layout.Stops)
        return;
    switch (layout.Kind) {
    case K::Nothing:
    case K::Header:
    case K::Accepted: break;
    case K::Assign: FVariables[static_cast<size_t>(layout.Letter - 'A')] = EvaluateSpan(layout, 0); break;
    case K::Backward: ExecuteTimedDrive(DriveBackward, wkBackward, layout); break;
    case K::Forward: ExecuteTimedDrive(DriveForward, wkForward, layout); break;
    case K::Left: ExecuteTimedDrive(TurnLeft, wkLeft, layout); break;
    case K::Right: ExecuteTimedDrive(TurnRight, wkRight, layout); break;
    case K::StopDrive: StopMotors(); break;
    case K::Clock: ExecuteClock(); break;
    case K::PortDirection: ExecutePortWrite(true, layout); break;
    case K::PortOutput: ExecutePortWrite(false, layout); break;
    case K::End: FCurrentLine = -1; break;
    case K::For: ExecuteFor(layout); break;
    case K::Gosub: ExecuteGosub(layout); break;
    case K::Goto: FCurrentLine = WrapValue(EvaluateSpan(layout, 0) - 1); break;
    case K::If:
        if (EvaluateSpan(layout, 0) != 0)
            FCurrentLine = WrapValue(EvaluateSpan(layout, 1) - 1);
        break;
    case K::Key: ExecuteKey(layout); break;
    case K::Led: ExecuteLed(layout); break;
    case K::Motor: ExecuteMotor(layout); break;
    case K::Next: ExecuteNext(layout.Letter); break;
    case K::Play: ExecutePlay(layout.WordEnd); break;
    case K::Print: ExecutePrint(layout); break;
    case K::Return: ExecuteReturn(); break;
    case K::Evaluated:
        for (int i = 0; i < layout.ExpressionCount; ++i)
            EvaluateSpan(layout, i);
        break;
    case K::Servos: ExecuteServos(layout); break;
    case K::Voice: ExecuteVoice(layout); break;
    case K::Wait:
        if (const int16_t count = EvaluateSpan(layout, 0); count > 0)
            StartWait(wkTicks, count);
        break;
    }
}

void TBasicInterpreter::ExecuteGosub(const TStatementLayout& layout)
{
    const int16_t target = EvaluateSpan(layout, 0);
    // Beyond the stack's 100 entries a GOSUB saves nothing, just as below
    // depth 0; its RETURN then goes on after itself.
    if (FGosubDepth >= 0 && FGosubDepth < kGosubStackSize)
        FGosubStack[static_cast<size_t>(FGosubDepth)] = FCurrentLine;
    FGosubDepth = WrapValue(FGosubDepth + 1);
    FCurrentLine = WrapValue(target - 1);
}

void TBasicInterpreter::ExecuteReturn()
{
    FGosubDepth = WrapValue(FGosubDepth - 1);
    if (FGosubDepth >= 0 && FGosubDepth < kGosubStackSize)
        FCurrentLine = FGosubStack[static_cast<size_t>(FGosubDepth)];
}

void TBasicInterpreter::ExecuteFor(const TStatementLayout& layout)
{
    const size_t v = static_cast<size_t>(layout.Letter - 'A');
    FVariables[v] = EvaluateSpan(layout, 0);
    FForLimit[v] = EvaluateSpan(layout, 1);
    FForReturnLine[v] = FCurrentLine;
    FOpenForLoops |= 1u << v;
}

void TBasicInterpreter::ExecuteNext(uint8_t letter)
{
    const size_t v = static_cast<size_t>(letter - 'A');
    FVariables[v] = WrapValue(FVariables[v] + 1);
    if (FVariables[v] <= FForLimit[v]) {
        FCurrentLine = FForReturnLine[v];
        FOpenForLoops |= 1u << v;
    } else {
        FOpenForLoops &= ~(1u << v);
    }
}

void TBasicInterpreter::ExecutePrint(const TStatementLayout& layout)
{
    const int16_t value = EvaluateSpan(layout, 0);
    LogLine("> " + std::to_string(value) + " <");
}

} // namespace kelto
