// keltosimu-run: loads a circuit, performs scripted user actions, runs ticks
// and reports the final state; the teacher's batch checker and our e2e harness.
#include "cli/json_writer.h"
#include "cli/component_state.h"
#include "cli/run_options.h"
#include "cli/run_recorder.h"
#include "cli/user_action.h"
#include "core/board/board.h"
#include "core/files/atomic_file.h"
#include "core/files/circuit_file.h"
#include "core/files/program_file.h"
#include "core/sound/midi_gen.h"
#include "core/sound/simulated_clock_speaker.h"
#include "core/sound/virtual_devices.h"
#include "core/sound/virtual_stream_device.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace kelto::cli {

namespace {

constexpr int kBadInput = 2;

int Fail(const std::string& message)
{
    std::cerr << "keltosimu-run: " << message << '\n';
    return kBadInput;
}

struct TTimedAction {
    int64_t Tick;
    TUserAction Action;
};

bool WriteOutput(const std::string& path, const std::string& text)
{
    if (path == "-") {
        std::cout << text << std::flush;
        return true;
    }
    const TFileResult result = WriteFileAtomically(path, text);
    if (!result.Ok)
        std::cerr << "keltosimu-run: cannot write " << path << ": " << result.Message << '\n';
    return result.Ok;
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

// Voice clip files are looked up beside the program, as the window does.
std::string ExecutableFolder()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string();
}

int Run(const TRunOptions& options)
{
    TSimuBoard board;
    board.Engine().FMotorSpeedFactor = options.SpeedFactor;
    if (const TFileResult loaded = LoadCircuitFile(board, options.CircuitPath); !loaded.Ok)
        return Fail(loaded.Message);
    if (options.ProgramPath) {
        std::vector<std::string> lines;
        if (const TFileResult loaded = LoadProgramFile(*options.ProgramPath, lines); !loaded.Ok)
            return Fail(loaded.Message);
        board.SetEditorLines(ProgramLinesAsGbk(lines));
    }

    // Tunes and the spoken clock take simulated time, so a PLAY or CLOCK wait
    // lasts as many ticks as the sound would.
    TVirtualStreamDevice streamDevice;
    TMidiGen midiGen(streamDevice);
    midiGen.SetSustain(true);
    TVirtualWavePlayer wavePlayer;
    wavePlayer.FFolder = ExecutableFolder();
    TFixedClock fixedClock(options.Time.value_or(TLocalTime{}));
    TSystemClock systemClock;
    TSimulatedClockSpeaker clockSpeaker(options.Time ? static_cast<const ILocalClock&>(fixedClock) : systemClock);
    TSeededRandom seededRandom(options.Seed.value_or(0));
    board.Basic().SetSoundDevices({&midiGen, &wavePlayer, &clockSpeaker,
                                   options.Time ? &fixedClock : nullptr,
                                   options.Seed ? &seededRandom : nullptr});

    TRunRecorder recorder(board);
    std::string openError;
    if ((options.EventsPath && !recorder.OpenEvents(*options.EventsPath, openError)) ||
        (options.TracePath && !recorder.OpenTrace(*options.TracePath, openError)))
        return Fail(openError);

    std::vector<TTimedAction> actions;
    for (const TScheduledAction& scheduled : options.Actions) {
        std::string error;
        const auto action = ParseUserAction(scheduled.Action, board, error);
        if (!action)
            return Fail(error);
        actions.push_back({scheduled.Tick, *action});
    }
    std::stable_sort(actions.begin(), actions.end(),
                     [](const TTimedAction& a, const TTimedAction& b) { return a.Tick < b.Tick; });

    if (options.ProgramPath && !options.NoRun)
        board.ButtonRUNClick();
    auto next = actions.begin();
    for (int64_t tick = 1; tick <= options.Ticks; ++tick) {
        for (; next != actions.end() && next->Tick <= tick; ++next)
            PerformUserAction(next->Action, board);
        recorder.BeginTick(tick);
        board.GLCadencer1Progress(options.DeltaTime, static_cast<double>(tick) * options.DeltaTime);
        recorder.EndTick();
        streamDevice.AdvanceTime(options.DeltaTime);
        midiGen.DeliverNotifications();
        clockSpeaker.AdvanceTime(options.DeltaTime);
    }
    // Actions scheduled after the last tick still happen before the state is taken.
    for (; next != actions.end(); ++next)
        PerformUserAction(next->Action, board);

    bool written = recorder.Flush();
    if (options.StatePath)
        written = WriteOutput(*options.StatePath, StateJson(board, options.Ticks)) && written;
    if (options.SavePath) {
        const TFileResult saved = SaveCircuitFile(board, *options.SavePath);
        if (!saved.Ok)
            written = Fail(saved.Message) == 0;
    }
    return written ? 0 : 1;
}

} // namespace

} // namespace kelto::cli

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = kelto::cli::ParseRunOptions(args, error);
    if (!options) {
        std::cerr << "keltosimu-run: " << error << '\n' << kelto::cli::RunUsage() << '\n';
        return 2;
    }
    return kelto::cli::Run(*options);
}
