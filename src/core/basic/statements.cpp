// The step: run flags, waits, the line lookup, the dispatch on a statement's
// first characters, and the control-flow statements.
#include "core/basic/basic_value.h"
#include "core/basic/interpreter.h"

#include <string>

namespace kelto {

namespace {

constexpr std::string_view kEndLine = "结束";
constexpr std::string_view kHeaderStatement = "KELTOBASIC";

bool IsVariableLetter(uint8_t c)
{
    return c >= 'A' && c <= 'Z';
}

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

void TBasicInterpreter::Dispatch()
{
    // The header only marks the program; read by its first letter it would
    // be a KEY statement taking the shift from T.
    if (FStatement.Text() == kHeaderStatement)
        return;
    const uint8_t c0 = Char(0);
    const uint8_t c1 = Char(1);
    const uint8_t c2 = Char(2);
    if (c1 == '=' && IsVariableLetter(c0)) {
        FVariables[static_cast<size_t>(c0 - 'A')] = EvaluateAt(2);
        return;
    }
    switch (c0) {
    case 'B': ExecuteTimedDrive(DriveBackward, wkBackward, c2 == 'X'); break;
    case 'C':
        if (c2 == 'O')
            ExecuteClock();
        break;
    case 'D':
        if (c1 == 'D')
            ExecutePortWrite(true, 3, 4);
        break;
    case 'E': FCurrentLine = -1; break;
    case 'F':
        if (c1 == 'D')
            ExecuteTimedDrive(DriveForward, wkForward, c2 == 'X');
        else
            ExecuteFor();
        break;
    case 'G':
        if (c2 == 'S')
            ExecuteGosub();
        else
            FCurrentLine = WrapValue(EvaluateAt(4) - 1);
        break;
    case 'I': ExecuteIf(); break;
    case 'K': ExecuteKey(); break;
    case 'L':
        if (c2 == 'D')
            ExecuteLed();
        else
            ExecuteTimedDrive(TurnLeft, wkLeft, c2 == 'X');
        break;
    case 'M': ExecuteMotor(); break;
    case 'N': ExecuteNext(); break;
    case 'P':
        if (c1 == 'L')
            ExecutePlay();
        else if (c1 == 'R')
            ExecutePrint();
        else if (c1 == 'O')
            ExecutePortWrite(false, 4, 5);
        break;
    case 'R':
        if (c1 == 'T')
            ExecuteTimedDrive(TurnRight, wkRight, c2 == 'X');
        else if (c2 != 'M')
            ExecuteReturn();
        break;
    case 'S':
        if (c1 == 'T' && c2 == 'X')
            StopMotors();
        else if (c1 == 'E')
            DispatchSetGroup();
        break;
    case 'T':
        if (c1 == 'A' || c1 == 'R')
            EvaluateAt(2);
        break;
    case 'V':
        if (c1 == 'O' && Char(5) == 'X')
            ExecuteVoice();
        break;
    case 'W':
        if (const int16_t count = EvaluateAt(4); count > 0)
            StartWait(wkTicks, count);
        break;
    default: break;
    }
}

// Statements of the S E family that the board accepts: most only evaluate
// their expressions, two of them set the five servos.
void TBasicInterpreter::DispatchSetGroup()
{
    const uint8_t c3 = Char(3);
    const uint8_t c4 = Char(4);
    if (c3 == 'W') {
        EvaluateAt(4);
    } else if ((c3 == 'P' && c4 == 'C') || (c3 == 'B' && c4 == 'G')) {
        EvaluateAt(5);
    } else if (c3 == 'X' && c4 == 'Y') {
        FSplitMark = FStatement.Find(",", 5);
        if (FSplitMark >= 0) {
            FStatement.Terminate(FSplitMark);
            EvaluateAt(5);
            EvaluateAt(FSplitMark + 1);
        }
    } else if (Char(5) == 'E') {
        ExecuteServos(false);
    } else if (Char(5) == 'X') {
        ExecuteServos(true);
    }
}

void TBasicInterpreter::ExecuteGosub()
{
    const int16_t target = EvaluateAt(5);
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

void TBasicInterpreter::ExecuteIf()
{
    FSplitMark = FStatement.Find("THEN", 0);
    if (FSplitMark < 0)
        return;
    FStatement.Terminate(FSplitMark);
    if (EvaluateAt(2) != 0)
        FCurrentLine = WrapValue(EvaluateAt(FSplitMark + 4) - 1);
}

void TBasicInterpreter::ExecuteFor()
{
    FSplitMark = FStatement.Find("TO", 0);
    if (FSplitMark < 0)
        return;
    FStatement.Terminate(FSplitMark);
    const uint8_t letter = Char(3);
    if (!IsVariableLetter(letter))
        return;
    const size_t v = static_cast<size_t>(letter - 'A');
    FVariables[v] = EvaluateAt(5);
    FForLimit[v] = EvaluateAt(FSplitMark + 2);
    FForReturnLine[v] = FCurrentLine;
    FOpenForLoops |= 1u << v;
}

void TBasicInterpreter::ExecuteNext()
{
    const uint8_t letter = Char(4);
    if (!IsVariableLetter(letter))
        return;
    const size_t v = static_cast<size_t>(letter - 'A');
    FVariables[v] = WrapValue(FVariables[v] + 1);
    if (FVariables[v] <= FForLimit[v]) {
        FCurrentLine = FForReturnLine[v];
        FOpenForLoops |= 1u << v;
    } else {
        FOpenForLoops &= ~(1u << v);
    }
}

void TBasicInterpreter::ExecutePrint()
{
    const int16_t value = EvaluateAt(5);
    LogLine("> " + std::to_string(value) + " <");
}

} // namespace kelto
