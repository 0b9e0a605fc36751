// The KELTOBASIC interpreter: the prepared program, the variables and program
// counter, the run flags and the message log. The placed microcontroller's
// tick calls ExecuteStatement: one statement, or one tick of a wait.
#pragma once

#include "core/basic/program_lines.h"
#include "core/basic/statement_buffer.h"
#include "core/circuit/port_info.h"
#include "core/sound/sound_interfaces.h"
#include "core/sound/virtual_devices.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelto {

class TSimEngine;
struct TStatementLayout;

// The devices the sound statements and the time functions use; a null member
// leaves the built-in one in place (silent devices, the real clock, a
// clock-seeded generator).
struct TSoundDevices {
    IToneGenerator* ToneGenerator = nullptr;
    IWavePlayer* WavePlayer = nullptr;
    IClockSpeaker* ClockSpeaker = nullptr;
    ILocalClock* LocalClock = nullptr;
    IRandomSource* Random = nullptr;
};

// What a sound statement asked of the devices, for listeners such as the
// runner's event file.
struct TSoundRequest {
    enum class TKind : uint8_t { Play, Voice, Clock };
    TKind Kind = TKind::Play;
    std::string_view Text;                           // Play: the note string; Voice: the clip's source
    int32_t Clip = -1;                               // Voice
    const std::vector<std::string>* Words = nullptr; // Clock: the words it will say
};

enum class TRunState : uint8_t { Idle, Running, Paused, StopRequested };

struct TRunButtons {
    bool Run = true;
    bool Pause = false;
    bool Continue = false;
    bool Stop = false;
    bool Step = false;
    bool operator==(const TRunButtons&) const = default;
};

enum TWaitKind : uint8_t {
    wkTicks = 0,
    wkForward = 1,
    wkBackward = 2,
    wkLeft = 3,
    wkRight = 4,
    wkPlay = 5,
    wkClock = 6,
};

// Levels of PD4, PD5, PD6, PD7 for the motor statements.
using TMotorPattern = std::array<int32_t, 4>;
constexpr TMotorPattern DriveForward = {0, 1, 0, 1};
constexpr TMotorPattern DriveBackward = {1, 0, 1, 0};
constexpr TMotorPattern TurnLeft = {1, 0, 0, 1};
constexpr TMotorPattern TurnRight = {0, 1, 1, 0};

// What the last step did, for traces.
struct TStepReport {
    enum class TKind : uint8_t { None, Statement, Wait, End };
    TKind Kind = TKind::None;
    int16_t Line = 0;      // Statement: the line executed
    uint8_t WaitKind = 0;  // Wait: the wait counted or polled
    int16_t WaitCount = 0; // Wait: ticks left after this one
};

// The log keeps between this many and twice this many newest lines, so a
// PRINT loop cannot grow memory without end.
constexpr size_t kKeptLogLines = 10000;

// Where a run stands: everything its next statements depend on besides the
// program and the log. A struct of its own that the interpreter derives
// from, so that a snapshot copies it whole and a field added later cannot be
// left out of it. Named as the window that owns it names it.
struct TInterpreterState {
    static constexpr int kVariableCount = 26;
    static constexpr int kGosubStackSize = 100;

    std::array<int16_t, kVariableCount> FVariables{};
    int16_t FCurrentLine = 0;
    int16_t FGosubDepth = 0;
    std::array<int16_t, kGosubStackSize> FGosubStack{};
    std::array<int16_t, kVariableCount> FForLimit{};
    std::array<int16_t, kVariableCount> FForReturnLine{};
    TStatementBuffer FStatement;
    int32_t FExprCursor = 0;
    int32_t FSplitMark = -1;
    bool FWaiting = false;
    uint8_t FWaitKind = wkTicks;
    int16_t FWaitCount = 0;
    int16_t FKeyShift = 0;

    bool FRunning = false;
    bool FPaused = false;
    bool FStopRequested = false;
    bool FStepRequested = false;
    // For watching a run: the prepared row of the last statement executed
    // (-1 none) and the variables whose FOR loop this run has not left.
    int32_t FExecutedRow = -1;
    uint32_t FOpenForLoops = 0;

    TStepReport FLastStep;
};

class TBasicInterpreter : public TInterpreterState {
public:
    explicit TBasicInterpreter(TSimEngine& engine);
    TBasicInterpreter(const TBasicInterpreter&) = delete;
    TBasicInterpreter& operator=(const TBasicInterpreter&) = delete;

    void SetSoundDevices(const TSoundDevices& devices);

    // Run control. A press of a button that its run state disables does
    // nothing. StartRun prepares the lines and starts only when the header
    // is present; the caller checks that a microcontroller is placed.
    bool StartRun(const std::vector<std::string>& editorLines);
    void PauseRun();
    void ContinueRun();
    void RequestStop();
    // While paused: the program runs on (waits counting down as while
    // running) until one statement has executed, then is paused again.
    // Nothing in any other state.
    void StepRun();
    void EndRun();
    // Ends an active, paused or waiting run at once, as the end of the program
    // does; for when the microcontroller that runs it goes away.
    void AbortRun();
    TRunState RunState() const;
    TRunButtons RunButtons() const;

    void LogLine(std::string_view text);
    void ClearLog();
    // Who hears each appended line, each clear and each sound statement; an
    // empty function hears nothing.
    void SetLogListeners(std::function<void(std::string_view line)> onLine, std::function<void()> onCleared)
    {
        FOnLogLine = std::move(onLine);
        FOnLogCleared = std::move(onCleared);
    }
    void SetSoundListener(std::function<void(const TSoundRequest&)> onRequest)
    {
        FOnSoundRequest = std::move(onRequest);
    }
    // A tick that runs no step reports none.
    void ForgetLastStep() { FLastStep = {}; }
    const TStepReport& LastStep() const { return FLastStep; }

    // Preparation and the line lookup.
    void PrepareProgram(const std::vector<std::string>& editorLines);
    int16_t FindLine(int16_t target);
    bool HeaderPresent();

    // The step.
    void ExecuteStatement();
    // Evaluates the expression at FExprCursor in FStatement.
    int16_t EvaluateExpression();
    // PD4..PD7 low; the end of every run does this.
    void StopMotors();

    std::vector<TProgramLine> FProgram;
    // The window's, not the run's: a minimised window holds the run.
    bool FMinimized = false;

    // The message log's lines; listeners hear every append and every clear.
    std::vector<std::string> FMessageLines;
    std::function<void(std::string_view line)> FOnLogLine;
    std::function<void()> FOnLogCleared;
    std::function<void(const TSoundRequest&)> FOnSoundRequest;

private:
    // Expression levels, lowest first.
    int16_t EvaluateEquality();
    int16_t EvaluateRelation();
    int16_t EvaluateOrdering();
    int16_t EvaluateSum();
    int16_t EvaluateProduct();
    int16_t EvaluateBitwise();
    int16_t EvaluateUnary();
    int16_t EvaluatePrimary();
    int16_t ReadNumber();
    bool ReadFunctionWord(int16_t& value);
    int16_t EvaluateArgument(int32_t skipped);
    int16_t ReadPortCBits(uint8_t selector);
    int16_t EvaluateAt(int32_t position);
    uint8_t Char(int32_t position) const { return FStatement.At(position); }
    uint8_t Next() const { return FStatement.At(FExprCursor); }

    // Statements.
    void FinishRun();
    void HandleWait();
    void StartWait(TWaitKind kind, int16_t count);
    void Dispatch();
    // Places the expression's terminator, if it has one, and evaluates it.
    int16_t EvaluateSpan(const TStatementLayout& layout, int index);
    void ExecuteGosub(const TStatementLayout& layout);
    void ExecuteReturn();
    void ExecuteFor(const TStatementLayout& layout);
    void ExecuteNext(uint8_t letter);
    void ExecutePrint(const TStatementLayout& layout);

    // Device and sound statements.
    void WriteDigital(int entry, int32_t level);
    void WritePwm(int entry, TPortKind kind, double value);
    void DriveMotorPins(const TMotorPattern& pattern);
    // The X form drives at once; the counted form only for a count above 0.
    void ExecuteTimedDrive(const TMotorPattern& pattern, TWaitKind kind, const TStatementLayout& layout);
    void ExecuteMotor(const TStatementLayout& layout);
    void SetMotorPair(int firstEntry, int16_t speed);
    void ExecuteLed(const TStatementLayout& layout);
    void ExecutePortWrite(bool direction, const TStatementLayout& layout);
    void ExecuteServos(const TStatementLayout& layout);
    void ExecuteKey(const TStatementLayout& layout);
    void ExecutePlay(int32_t textStart);
    void ExecuteVoice(const TStatementLayout& layout);
    void ExecuteClock();

    TSimEngine& FEngine;
    TVirtualToneGenerator FSilentTone;
    TVirtualWavePlayer FSilentWave;
    TVirtualClockSpeaker FSilentClock;
    TSystemClock FSystemClock;
    TClockSeededRandom FClockRandom;
    TSoundDevices FDevices;
    std::string FNoteString;
    int32_t FFoundRow = -1; // the row FindLine found last
    std::vector<std::string> FClockWords;
};

} // namespace kelto
