// Recordings made by the runner and played back by it: the replay must end
// where the recorded run was after the same tick, to the byte.
#include "cli/component_state.h"
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/circuit/parts.h"
#include "core/devices/device_actions.h"
#include "core/files/program_file.h"
#include "core/replay/recorded_run.h"
#include "core/replay/recording_text.h"
#include "run_cli.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelto {
namespace {

using namespace kelto::testing;
namespace fs = std::filesystem;

const fs::path kPrograms = fs::path(KELTO_TEST_DATA_DIR) / "programs";

struct TRunFiles {
    TCliResult Run;
    std::string State;
    std::string Trace;
    std::string Events;
};

TRunFiles RunWithFiles(const fs::path& dir, const std::string& name, std::vector<std::string> args)
{
    const fs::path state = dir / (name + ".json");
    const fs::path trace = dir / (name + ".trace");
    const fs::path events = dir / (name + ".events");
    args.insert(args.begin(), {"--state", state.string(), "--trace", trace.string(), "--events", events.string()});
    TRunFiles files{RunCli(args), {}, {}, {}};
    files.State = ReadFileText(state);
    files.Trace = ReadFileText(trace);
    files.Events = ReadFileText(events);
    return files;
}

// RANDOM without a seed, a clock that is not the machine's, a tune's wait, a
// voice clip file, ticks that are not the default length and run buttons.
TEST(ReplayRunner, ReplayingARecordingEndsWhereTheRunWasAfterEveryTickAsked)
{
    const fs::path dir = ScratchDir("replay_identity");
    const fs::path recording = dir / "run.rec";
    const std::vector<std::string> inputs = {"--time",
                                             "03:04:05",
                                             "--dt",
                                             "0.002",
                                             "--at",
                                             "40:pause",
                                             "--at",
                                             "700:continue",
                                             (kPrograms / "mcu_only.dps").string(),
                                             (kPrograms / "replay_inputs.txt").string()};
    std::vector<std::string> recorded = {"--ticks", "3000", "--record", recording.string()};
    recorded.insert(recorded.end(), inputs.begin(), inputs.end());
    const TRunFiles live = RunWithFiles(dir, "live", recorded);
    ASSERT_EQ(live.Run.ExitCode, 0) << live.Run.Err;
    ASSERT_NE(live.Run.Out.find("> 304 <"), std::string::npos) << live.Run.Out;

    const TRunFiles replay = RunWithFiles(dir, "replay", {"--replay", recording.string()});
    ASSERT_EQ(replay.Run.ExitCode, 0) << replay.Run.Err;
    EXPECT_EQ(replay.Run.Out, live.Run.Out);
    EXPECT_EQ(replay.State, live.State);
    EXPECT_EQ(replay.Trace, live.Trace);
    EXPECT_EQ(replay.Events, live.Events);

    // Part way: the run the recording began with, stopped at that tick.
    std::vector<std::string> shorter = {"--ticks", "1200"};
    shorter.insert(shorter.end(), inputs.begin(), inputs.end());
    const TRunFiles liveShort = RunWithFiles(dir, "live_short", shorter);
    const TRunFiles replayShort =
        RunWithFiles(dir, "replay_short", {"--replay", recording.string(), "--ticks", "1200"});
    ASSERT_EQ(replayShort.Run.ExitCode, 0) << replayShort.Run.Err;
    // The shorter live run drew its own random numbers: compare what does not depend on them.
    EXPECT_EQ(replayShort.State.substr(replayShort.State.find("\"components\"")),
              liveShort.State.substr(liveShort.State.find("\"components\"")));
    EXPECT_EQ(replayShort.Trace, replay.Trace.substr(0, replayShort.Trace.size()));
    EXPECT_EQ(replayShort.State.find("{\"ticks\":1200,\"running\":true"), 0u) << replayShort.State;
}

// The window's way: inputs changed between ticks by the mouse, found by the
// recording itself; a switch closed before Run; ticks of two lengths.
TEST(ReplayRunner, ARunRecordedAsTheWindowRecordsReplaysToTheSameState)
{
    const fs::path dir = ScratchDir("replay_live");
    const fs::path bench = fs::path(KELTO_EXAMPLES_DIR) / ".." / "bench" / "data";
    TSimuBoard board;
    ASSERT_TRUE(LoadCircuitFile(board, (bench / "busy_board.dps").string()).Ok);
    std::vector<std::string> lines;
    ASSERT_TRUE(LoadProgramFile((bench / "busy_board.txt").string(), lines).Ok);
    auto first = [&board](TOwnerType type) -> TSimuPart& {
        for (int32_t i = 0; i < board.PartCount(); ++i)
            if (board.Part(i)->FOwnerType == type)
                return *board.Part(i);
        throw std::runtime_error("no such part");
    };
    auto& toggle = static_cast<TSimuZhaDaoSwitch&>(first(otZhaDaoSwitch));
    auto& button = static_cast<TSimuAnNiuSwitch&>(first(otAnNiuSwitch));
    auto& keypad = static_cast<TSimuKeypad&>(first(otKeypad));
    auto& wiper = static_cast<TSimuResistance&>(first(otResistance));
    TSimuPart& led = first(otLEDA);
    FlipSwitch(toggle);

    TRecordedRun run(board, "test");
    run.PressRun(lines);
    constexpr int64_t kTicks = 3000;
    for (int64_t tick = 1; tick <= kTicks; ++tick) {
        switch (tick) {
        case 100: PressButton(button); break;
        case 400: ReleaseButton(button); break;
        case 500: PressKey(keypad, {2, 1}); break;
        case 650:
            ReleaseKey(keypad, {2, 1});
            PressKey(keypad, {3, 0});
            FlipSwitch(toggle);
            break;
        case 900: SetSliderPosition(board.Canvas(), wiper, 0.3125); break;
        case 1200: run.PressPause(); break;
        case 1500: run.PressContinue(); break;
        case 2000: board.DeletePart(&led); break;
        default: break;
        }
        run.Tick(tick % 7 == 0 ? 0.0023 : 0.001);
    }
    ASSERT_EQ(run.TickCount(), kTicks);
    const fs::path recording = dir / "live.rec";
    const std::string text = run.FileText();
    std::ofstream(recording, std::ios::binary) << text;
    // Each change once, before the tick that first sees it.
    size_t actions = 0;
    for (size_t at = text.find("\naction "); at != std::string::npos; at = text.find("\naction ", at + 1))
        ++actions;
    EXPECT_EQ(actions, 11u);
    EXPECT_NE(text.find("\naction 500 keydown:"), std::string::npos);
    const fs::path state = dir / "replay.json";
    const auto replayed = [&](int64_t ticks) {
        const TCliResult replay = RunCli(
            {"--replay", recording.string(), "--ticks", std::to_string(ticks), "--state", state.string()});
        EXPECT_EQ(replay.ExitCode, 0) << replay.Err;
        return ReadFileText(state);
    };
    EXPECT_EQ(replayed(kTicks), cli::StateJson(board, kTicks));
    // Looking back once paused: before the first pause, during it, after the deletion.
    run.PressPause();
    for (const int64_t tick : {1700, 1300, 420, 2999}) {
        run.SeekTo(tick);
        ASSERT_TRUE(run.LookingBack());
        EXPECT_EQ(replayed(tick), cli::StateJson(board, tick)) << "tick " << tick;
    }
}

TEST(ReplayRunner, ADamagedRecordingOrOneWithOtherInputsIsRefused)
{
    const fs::path dir = ScratchDir("replay_refused");
    const fs::path recording = dir / "run.rec";
    const std::vector<std::string> inputs = {"--ticks", "50", "--seed", "42", (kPrograms / "mcu_only.dps").string(),
                                             (kPrograms / "replay_inputs.txt").string()};
    std::vector<std::string> recorded = {"--record", recording.string()};
    recorded.insert(recorded.end(), inputs.begin(), inputs.end());
    // Recording a run changes nothing in it, its RANDOM included.
    EXPECT_EQ(RunCli(recorded).Out, RunCli(inputs).Out);
    const std::string text = ReadFileText(recording);
    std::string edited = text;
    edited[edited.find("dt 0.001*50") + 10] = 'x';
    // Sealed again, so only the missing answers give it away.
    std::string unanswered = text.substr(0, text.find("checksum"));
    unanswered.erase(unanswered.find("tune-playing"), unanswered.find('\n', unanswered.find("tune-playing")) -
                                                          unanswered.find("tune-playing") + 1);
    unanswered += RecordingChecksumLine(unanswered);
    const struct {
        std::string Text;
        std::vector<std::string> More;
        std::string Message;
    } cases[] = {
        {edited, {}, "dt wants"},
        {text.substr(0, text.size() / 2), {}, "cut short"},
        {text.substr(0, text.find("checksum")), {}, "no checksum line"},
        {std::string(text).replace(text.find("format 1"), 8, "format 2"), {}, "this program reads format 1"},
        {std::string(text).replace(text.find("SECOND"), 6, "MINUTE"), {}, "checksum does not match"},
        {text, {"--ticks", "51"}, "the recording has 50 ticks"},
        {text, {"--seed", "4"}, "--replay takes no --time or --seed"},
        {unanswered, {}, "asked the clock or the sound devices more than the recording answers"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        std::ofstream(dir / "bad.rec", std::ios::binary) << c.Text;
        std::vector<std::string> args = {"--replay", (dir / "bad.rec").string(), "--state",
                                         (dir / "state.json").string()};
        args.insert(args.end(), c.More.begin(), c.More.end());
        const TCliResult run = RunCli(args);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
        EXPECT_FALSE(fs::exists(dir / "state.json"));
    }
}

} // namespace
} // namespace kelto
