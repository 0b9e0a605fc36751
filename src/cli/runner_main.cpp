#include "cli/runner_main.h"

#include "cli/actions_file.h"
#include "cli/audio_capture.h"
#include "cli/component_state.h"
#include "cli/executable_folder.h"
#include "cli/program_check_command.h"
#include "cli/progress_line.h"
#include "cli/run_audio.h"
#include "cli/run_options.h"
#include "cli/run_outputs.h"
#include "cli/run_picture.h"
#include "cli/run_recorder.h"
#include "cli/run_source.h"
#include "cli/stop_signal.h"
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/files/atomic_file.h"
#include "core/files/program_file.h"
#include "core/files/wide_text.h"
#include "core/instruments/scope_export.h"
#include "core/replay/user_action.h"
#include "core/sound/midi_gen.h"
#include "core/sound/simulated_clock_speaker.h"
#include "core/sound/standard_midi_file.h"
#include "core/sound/virtual_devices.h"
#include "core/sound/virtual_stream_device.h"

#include <fstream>
#include <iostream>
#include <unistd.h>

namespace kelto::cli {

namespace {

constexpr int kBadInput = 2;
constexpr int kWriteFailed = 1;

int Fail(const std::string& message)
{
    std::cerr << "keltosimu-run: " << message << '\n';
    return kBadInput;
}

// The window reads such a file without a word; the runner's user gets a hint.
void WarnIfNotGbk(const std::string& path)
{
    std::string start(512, '\0');
    std::ifstream file(path, std::ios::binary);
    file.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<size_t>(file.gcount()));
    const std::string_view encoding = WideTextEncoding(start);
    if (!encoding.empty())
        std::cerr << "keltosimu-run: warning: " << path << " looks like " << encoding
                  << " text; program files are read as GBK\n";
}

int Run(const TRunOptions& options)
{
    TSimuBoard board;
    TRunSource source(options, "keltosimu-run " KELTO_VERSION);
    if (const std::optional<std::string> problem = source.Load(board))
        return Fail(*problem);
    if (options.ProgramPath)
        WarnIfNotGbk(*options.ProgramPath);
    std::string error;
    const std::optional<std::vector<TTimedAction>> actions = ParseSchedule(source.Scheduled(), board, error);
    if (!actions)
        return Fail(error);
    if (options.AudioPath)
        if (const std::optional<std::string> refusal =
                AudioRefusal(static_cast<double>(options.Ticks) * options.DeltaTime))
            return Fail(*refusal);
    if (options.PicturePath)
        if (const std::optional<std::string> refusal = PictureRefusal(*options.PicturePath))
            return Fail(*refusal);

    // Every input is good: only now is any output touched. An output that
    // cannot be written refuses the run like a bad argument.
    TRunOutputs outputs;
    if (!outputs.CheckTargets(options) || !outputs.OpenStreams(options))
        return kBadInput;

    // Tunes and the spoken clock take simulated time, so a PLAY or CLOCK wait
    // lasts as many ticks as the sound would.
    TVirtualStreamDevice streamDevice;
    TMidiGen midiGen(streamDevice);
    midiGen.SetSustain(true);
    TVirtualWavePlayer wavePlayer;
    wavePlayer.FFolder = ExecutableFolder();
    TFixedClock fixedClock(options.Time.value_or(TLocalTime{}));
    TSystemClock systemClock;
    TSimulatedClockSpeaker clockSpeaker(options.Time ? static_cast<const ILocalClock&>(fixedClock)
                                                     : systemClock);
    TSeededRandom seededRandom(options.Seed.value_or(0));
    // What --audio renders and --midi writes down.
    std::optional<TAudioCapture> capture;
    if (options.AudioPath || options.MidiPath)
        capture.emplace(streamDevice, wavePlayer, clockSpeaker,
                        options.Time ? static_cast<const ILocalClock&>(fixedClock) : systemClock);
    board.SetSoundDevices(source.Devices({&midiGen, capture ? &capture->WavePlayer() : &wavePlayer,
                                          capture ? &capture->ClockSpeaker() : &clockSpeaker,
                                          options.Time ? &fixedClock : nullptr,
                                          options.Seed ? &seededRandom : nullptr}));

    TRunRecorder recorder(board, outputs.StandardOutput());
    if (outputs.Events() != nullptr)
        recorder.RecordEvents(*outputs.Events());
    if (outputs.Trace() != nullptr)
        recorder.RecordTrace(*outputs.Trace());
    TProgressLine progress(source.Ticks(), ::isatty(STDERR_FILENO) == 1);
    recorder.FBeforeLogLine = [&progress] { progress.Hide(); };
    TActionTargets targets(board);
    CatchStopSignals();

    if (source.RunAtStart())
        board.ButtonRUNClick();
    auto next = actions->begin();
    int64_t ticksDone = 0;
    double time = 0.0;
    for (int64_t tick = 1; tick <= source.Ticks() && !StopSignalled(); ++tick) {
        for (; next != actions->end() && next->Tick <= tick; ++next)
            targets.Perform(next->Action, board);
        const double deltaTime = source.NextDeltaTime();
        time += deltaTime;
        recorder.BeginTick(tick);
        board.RunTick(deltaTime, time);
        recorder.EndTick();
        streamDevice.AdvanceTime(deltaTime);
        midiGen.DeliverNotifications();
        clockSpeaker.AdvanceTime(deltaTime);
        ticksDone = tick;
        progress.Update(tick);
    }
    progress.Hide();
    const bool interrupted = StopSignalled();
    // Actions scheduled after the last tick still happen before the state is
    // taken, unless the run was cut short.
    for (; next != actions->end() && !interrupted; ++next)
        targets.Perform(next->Action, board);

    if (const std::optional<std::string> mismatch = source.ReplayMismatch()) {
        outputs.Finish();
        return Fail(*mismatch);
    }
    if (options.RecordPath)
        outputs.WriteWhole(*options.RecordPath, source.RecordingText(ticksDone));
    if (options.StatePath)
        outputs.WriteWhole(*options.StatePath, StateJson(board, ticksDone));
    if (options.SavePath)
        outputs.WriteWhole(*options.SavePath, WriteCircuitDocument(board));
    if (options.VcdPath) {
        const TScopeTrace traces[] = {{kOScopesDataName, board.OScopesRecorder().Samples()},
                                      {kAudioasDataName, board.AudioasRecorder().Samples()}};
        outputs.WriteWhole(*options.VcdPath, ScopeVcd(traces, source.FirstDeltaTime()));
    }
    if (options.MidiPath)
        outputs.WriteWhole(*options.MidiPath, StandardMidiFile(capture->Script().Synth));
    if (options.PicturePath)
        if (const TFileResult written = WriteRunPicture(*options.PicturePath, board); !written.Ok)
            outputs.Report(*options.PicturePath, written);
    if (options.AudioPath) {
        std::vector<std::string> warnings;
        const TFileResult written =
            WriteRunAudio(*options.AudioPath, capture->Script(),
                          static_cast<double>(ticksDone) * options.DeltaTime, warnings);
        for (const std::string& warning : warnings)
            std::cerr << "keltosimu-run: warning: " << warning << '\n';
        if (!written.Ok)
            outputs.Report(*options.AudioPath, written);
    }
    if (!outputs.Finish())
        return kWriteFailed;
    return interrupted ? kInterruptedStatus : 0;
}

int PrintText(const std::string& text)
{
    TFileWriter out;
    out.OpenStandardOutput();
    out.Write(text);
    if (const TFileResult written = out.Commit(); !written.Ok) {
        std::cerr << "keltosimu-run: cannot write standard output: " << written.Message << '\n';
        return kWriteFailed;
    }
    return 0;
}

} // namespace

int RunnerMain(const std::vector<std::string>& args)
{
    std::string error;
    const std::optional<TRunOptions> options = ParseRunOptions(args, error);
    if (!options) {
        std::cerr << "keltosimu-run: " << error << '\n' << RunUsage() << '\n';
        return 2;
    }
    if (options->Help)
        return PrintText(RunHelp());
    if (options->Version)
        return PrintText("keltosimu-run " KELTO_VERSION "\n");
    if (options->CheckPath)
        return CheckProgramFile(*options->CheckPath, std::cout, std::cerr);
    return Run(*options);
}

} // namespace kelto::cli
