// Going back in time: after SeekTo(N) the board is exactly as the live run
// left it after tick N, in the runner's state JSON, whichever way the seeks
// go, across checkpoints, thinned checkpoints, deletions and new branches.
#include "cli/component_state.h"
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/files/program_file.h"
#include "core/replay/run_timeline.h"
#include "core/sound/virtual_devices.h"
#include "replay/random_actions.h"

#include <gtest/gtest.h>

#include <map>

namespace kelto {
namespace {

// A live run's outside world answers differently every time it is asked.
class TTickingClock final : public ILocalClock {
public:
    TLocalTime Now() const override
    {
        ++FCalls;
        return {FCalls / 3600 % 24, FCalls / 60 % 60, FCalls % 60};
    }
    mutable int32_t FCalls = 0;
};

class TShortTunes final : public IToneGenerator {
public:
    bool PlayString(std::string_view) override
    {
        FLeft = 1 + FPlayed++ % 4;
        return true;
    }
    bool IsPlaying() const override { return FLeft-- > 0; }
    int32_t FPlayed = 0;
    mutable int32_t FLeft = 0;
};

struct TCase {
    const char* Circuit;
    const char* Program;
    int64_t Ticks;
    bool RandomActions;
    bool DeletesAPart;
};

struct TLiveRun {
    explicit TLiveRun(const TCase& c)
    {
        if (!LoadCircuitFile(Board, c.Circuit, Recording.Circuit).Ok ||
            !LoadProgramFile(c.Program, Recording.ProgramLines).Ok)
            throw std::runtime_error(std::string("cannot load ") + c.Circuit);
        Recording.Seed = 99;
        Recording.RunAtStart = true;
        Board.SetEditorLines(ProgramLinesAsGbk(Recording.ProgramLines));
        Board.ButtonRUNClick();
        std::string error;
        Timeline = TRunTimeline::Create(Board, Recording, error, {97, 6});
        Timeline->ContinueLive(Real());
        States[0] = State();
    }
    TSoundDevices Real() { return {&Tunes, &Wave, &Speaker, &Clock, nullptr}; }
    std::string State() const { return cli::StateJson(Board, 0); }
    // Live ticks up to `tick` with these actions, keeping the state after each.
    void RunTo(int64_t tick, const std::vector<TTimedAction>& actions, double deltaTime)
    {
        while (Timeline->Tick() < tick) {
            for (const TTimedAction& timed : actions)
                if (timed.Tick == Timeline->Tick() + 1)
                    Timeline->Perform(timed.Action);
            Timeline->RunTick(deltaTime * static_cast<double>(1 + Timeline->Tick() / 50 % 3));
            States[Timeline->Tick()] = State();
            StatementTicks[Timeline->Tick()] = Board.Basic().LastStep().Kind == TStepReport::TKind::Statement;
        }
    }

    TShortTunes Tunes;
    TVirtualWavePlayer Wave;
    TVirtualClockSpeaker Speaker;
    TTickingClock Clock;
    TSimuBoard Board;
    TRunRecording Recording;
    std::unique_ptr<TRunTimeline> Timeline;
    std::map<int64_t, std::string> States;
    std::map<int64_t, bool> StatementTicks;
};

std::string Path(const char* folder, const char* name)
{
    return std::string(folder) + "/" + name;
}

// One statement back: to just before the last statement ran; forward again:
// to just after it.
void ExpectStepsAround(TLiveRun& run, int64_t tick)
{
    run.Timeline->SeekTo(tick);
    int64_t last = tick;
    while (last > 0 && !run.StatementTicks[last])
        --last;
    ASSERT_TRUE(run.Timeline->StepBack());
    EXPECT_EQ(run.Timeline->Tick(), last - 1);
    ASSERT_TRUE(run.Timeline->StepForward());
    EXPECT_EQ(run.Timeline->Tick(), last);
    EXPECT_EQ(run.State(), run.States[last]);
}

TEST(RunTimeline, EveryTickComesBackAsTheLiveRunLeftIt)
{
    constexpr int32_t kDeleted = 4; // in the buttons lesson, the ground: no action names it
    const std::string data = KELTO_TEST_DATA_DIR;
    const std::string mcuOnly = data + "/programs/mcu_only.dps",
                      inputs = data + "/programs/replay_inputs.txt";
    const std::string busy = Path(KELTO_BENCH_DATA_DIR, "busy_board"),
                      buttons = Path(KELTO_EXAMPLES_DIR, "lesson03_buttons");
    const std::string busyCircuit = busy + ".dps", busyProgram = busy + ".txt";
    const std::string buttonsCircuit = buttons + ".dps", buttonsProgram = buttons + ".txt";
    const TCase cases[] = {
        {mcuOnly.c_str(), inputs.c_str(), 900, false, false},
        {busyCircuit.c_str(), busyProgram.c_str(), 1200, true, false},
        {buttonsCircuit.c_str(), buttonsProgram.c_str(), 800, true, true},
    };
    std::mt19937 random(25);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Circuit);
        TLiveRun run(c);
        std::vector<TTimedAction> actions;
        if (c.RandomActions)
            actions = testing::RandomActions(run.Board, random, c.Ticks);
        if (c.DeletesAPart) {
            TUserAction deletion;
            deletion.Kind = TUserAction::TKind::Delete;
            deletion.Part = kDeleted;
            actions.push_back({c.Ticks / 2, deletion});
        }
        run.RunTo(c.Ticks - 40, actions, 0.001);
        // After a deletion, and after the circuit is built again, parts keep
        // the numbers actions gave them.
        if (c.DeletesAPart) {
            EXPECT_EQ(run.Timeline->ActionIndex(*run.Board.Part(kDeleted)), kDeleted + 1);
        }
        // Leaving live at the end and going on, as a pause and a continue
        // there do, goes on as if never stopped.
        run.Timeline->SeekTo(c.Ticks - 40);
        run.Timeline->ContinueLive(run.Real());
        run.RunTo(c.Ticks, actions, 0.001);
        ASSERT_LE(run.Timeline->CheckpointCount(), 6u);
        // A press after the last tick belongs to the end.
        TUserAction press;
        press.Kind = run.Board.OScopesRecorder().Sampling() ? TUserAction::TKind::ScopeStop
                                                            : TUserAction::TKind::ScopeRun;
        run.Timeline->Perform(press);
        const std::string end = run.State();

        std::vector<int64_t> ticks{0,           1,          96, 97, 98, 387, 388, 389, c.Ticks / 2 - 1,
                                   c.Ticks / 2, c.Ticks - 1};
        for (int n = 0; n < 12; ++n)
            ticks.push_back(static_cast<int64_t>(random() % static_cast<uint32_t>(c.Ticks)));
        std::shuffle(ticks.begin(), ticks.end(), random);
        const int32_t playedLive = run.Tunes.FPlayed;
        for (const int64_t tick : ticks) {
            SCOPED_TRACE("tick " + std::to_string(tick));
            run.Timeline->SeekTo(tick);
            ASSERT_EQ(run.Timeline->Tick(), tick);
            EXPECT_EQ(run.State(), run.States[tick]);
        }
        run.Timeline->SeekTo(c.Ticks + 5);
        EXPECT_EQ(run.State(), end);
        EXPECT_EQ(run.Tunes.FPlayed, playedLive) << "seeking plays nothing";

        ExpectStepsAround(run, c.Ticks - 1);

        // A new branch from the middle, the program running in it, keeps
        // what went before and drops the rest.
        const int64_t branch = c.Ticks / 2 + 3;
        run.Timeline->SeekTo(branch);
        run.Timeline->ContinueLive(run.Real());
        TUserAction proceed;
        proceed.Kind = TUserAction::TKind::Continue;
        TUserAction restart;
        restart.Kind = TUserAction::TKind::Run;
        run.RunTo(branch + 150, {{branch + 1, proceed}, {branch + 2, restart}}, 0.002);
        EXPECT_EQ(run.Timeline->TickCount(), branch + 150);
        for (const int64_t tick : {c.Ticks / 4, branch + 149, branch - 1, branch + 7}) {
            run.Timeline->SeekTo(tick);
            EXPECT_EQ(run.State(), run.States[tick]) << "tick " << tick;
        }
        ExpectStepsAround(run, branch + 149);
        run.Timeline->SeekTo(c.Ticks / 4);
        if (c.DeletesAPart) {
            EXPECT_EQ(run.Timeline->ActionIndex(*run.Board.Part(kDeleted)), kDeleted);
        }

        // The recording alone, on a board of its own, goes tick by tick as the run went.
        TSimuBoard board;
        ASSERT_TRUE(ReadCircuitDocument(board, run.Recording.Circuit).Ok);
        board.SetEditorLines(ProgramLinesAsGbk(run.Recording.ProgramLines));
        board.ButtonRUNClick();
        std::string error;
        const std::unique_ptr<TRunTimeline> replay = TRunTimeline::Create(board, run.Recording, error);
        ASSERT_NE(replay, nullptr) << error;
        for (int64_t tick = 1; tick <= replay->TickCount(); ++tick) {
            replay->SeekTo(tick);
            ASSERT_EQ(cli::StateJson(board, 0), run.States[tick]) << "tick " << tick;
        }
        EXPECT_FALSE(replay->RanOut());
    }
}

TEST(RunTimeline, TellsWhenARecordingDoesNotAnswerWhatItsRunAsks)
{
    const std::string data = KELTO_TEST_DATA_DIR;
    const std::string circuit = data + "/programs/mcu_only.dps",
                      program = data + "/programs/replay_inputs.txt";
    TLiveRun run({circuit.c_str(), program.c_str(), 300, false, false});
    run.RunTo(300, {}, 0.001);
    run.Recording.ClockReadings.Truncate(run.Recording.ClockReadings.Total() / 2);
    run.Timeline->SeekTo(1);
    EXPECT_FALSE(run.Timeline->RanOut());
    run.Timeline->SeekTo(300);
    EXPECT_TRUE(run.Timeline->RanOut());
}

} // namespace
} // namespace kelto
