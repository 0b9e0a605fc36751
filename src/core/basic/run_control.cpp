// Run, Pause, Continue and Stop, the run state that enables the buttons, and
// the message log.
#include "core/basic/interpreter.h"

namespace kelto {

namespace {

constexpr std::string_view kStartLine = "开始";

} // namespace

TBasicInterpreter::TBasicInterpreter(TSimEngine& engine) : FEngine(engine)
{
    SetSoundDevices({});
}

void TBasicInterpreter::SetSoundDevices(const TSoundDevices& devices)
{
    FDevices.ToneGenerator = devices.ToneGenerator ? devices.ToneGenerator : &FSilentTone;
    FDevices.WavePlayer = devices.WavePlayer ? devices.WavePlayer : &FSilentWave;
    FDevices.ClockSpeaker = devices.ClockSpeaker ? devices.ClockSpeaker : &FSilentClock;
    FDevices.LocalClock = devices.LocalClock ? devices.LocalClock : &FSystemClock;
    FDevices.Random = devices.Random ? devices.Random : &FClockRandom;
}

void TBasicInterpreter::PrepareProgram(const std::vector<std::string>& editorLines)
{
    kelto::PrepareProgram(editorLines, FProgram);
}

bool TBasicInterpreter::StartRun(const std::vector<std::string>& editorLines)
{
    if (!RunButtons().Run)
        return false;
    PrepareProgram(editorLines);
    if (!HeaderPresent())
        return false;
    ClearLog();
    LogLine(kStartLine);
    FGosubDepth = 0;
    FCurrentLine = 1;
    FKeyShift = 0;
    FVariables.fill(0);
    FPaused = false;
    FStopRequested = false;
    FRunning = true;
    FWaiting = false;
    FStepRequested = false;
    FExecutedRow = -1;
    FOpenForLoops = 0;
    return true;
}

void TBasicInterpreter::PauseRun()
{
    if (RunButtons().Pause)
        FPaused = true;
}

void TBasicInterpreter::ContinueRun()
{
    if (RunButtons().Continue) {
        FPaused = false;
        FStepRequested = false;
    }
}

void TBasicInterpreter::StepRun()
{
    if (RunState() == TRunState::Paused)
        FStepRequested = true;
}

// Only a running program: the window's Stop lets a paused run go on first
// (PressStop), while the runner's stop action keeps its meaning.
void TBasicInterpreter::RequestStop()
{
    if (RunState() == TRunState::Running)
        FStopRequested = true;
}

void TBasicInterpreter::EndRun()
{
    FRunning = false;
    FWaiting = false;
    FStepRequested = false;
}

void TBasicInterpreter::AbortRun()
{
    if (!FRunning)
        return;
    FStopRequested = false;
    FinishRun();
}

TRunState TBasicInterpreter::RunState() const
{
    if (!FRunning)
        return TRunState::Idle;
    if (FStopRequested)
        return TRunState::StopRequested;
    return FPaused ? TRunState::Paused : TRunState::Running;
}

TRunButtons TBasicInterpreter::RunButtons() const
{
    switch (RunState()) {
    // Step from idle is the board's: it starts the run paused (TSimuBoard).
    case TRunState::Idle: return {true, false, false, false, true};
    case TRunState::Running: return {false, true, false, true, false};
    case TRunState::Paused: return {false, false, true, !FStepRequested, !FStepRequested};
    case TRunState::StopRequested: return {false, false, false, false, false};
    }
    return {};
}

void TBasicInterpreter::LogLine(std::string_view text)
{
    // A program that prints in a loop must not grow memory without end;
    // listeners still hear every line.
    if (FMessageLines.size() >= 2 * kKeptLogLines)
        FMessageLines.erase(FMessageLines.begin(), FMessageLines.begin() + kKeptLogLines);
    FMessageLines.emplace_back(text);
    if (FOnLogLine)
        FOnLogLine(FMessageLines.back());
}

void TBasicInterpreter::ClearLog()
{
    FMessageLines.clear();
    if (FOnLogCleared)
        FOnLogCleared();
}

} // namespace kelto
