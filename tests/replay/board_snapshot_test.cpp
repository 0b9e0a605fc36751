// A snapshot puts a board back exactly: every lesson and the busy board, run
// with random user actions, go on after a restore as they went the first
// time, byte for byte in the runner's trace and state.
#include "cli/component_state.h"
#include "cli/run_recorder.h"
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/board/board_snapshot.h"
#include "core/board_helpers.h"
#include "core/devices/device_actions.h"
#include "core/files/atomic_file.h"
#include "core/files/program_file.h"
#include "core/replay/user_action.h"
#include "core/sound/virtual_devices.h"
#include "replay/random_actions.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelto {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Circuits()
{
    std::vector<fs::path> circuits{fs::path(KELTO_BENCH_DATA_DIR) / "busy_board.dps"};
    for (const fs::directory_entry& entry : fs::directory_iterator(KELTO_EXAMPLES_DIR))
        if (entry.path().extension() == ".dps")
            circuits.push_back(entry.path());
    std::sort(circuits.begin(), circuits.end());
    return circuits;
}

// A board as the runner drives it: fixed clock, seeded RANDOM, silent sound.
struct TRig {
    explicit TRig(const fs::path& circuit) : Random(17)
    {
        if (!LoadCircuitFile(Board, circuit.string()).Ok)
            throw std::runtime_error("cannot load " + circuit.string());
        std::vector<std::string> lines;
        if (fs::path program = fs::path(circuit).replace_extension(".txt"); fs::exists(program))
            LoadProgramFile(program.string(), lines);
        Board.SetEditorLines(ProgramLinesAsGbk(lines));
        Board.SetSoundDevices({&Tone, &Wave, &Speaker, &Clock, &Random});
        Targets.emplace(Board);
        Board.ButtonRUNClick();
    }
    void RunTo(int64_t tick, const std::vector<TTimedAction>& actions)
    {
        for (; Tick < tick; ++Tick) {
            for (const TTimedAction& timed : actions)
                if (timed.Tick == Tick + 1)
                    Targets->Perform(timed.Action, Board);
            Board.ForgetLastStep();
            Board.RunTick(0.001, static_cast<double>(Tick + 1) * 0.001);
        }
    }
    std::string State() const { return cli::StateJson(Board, 0); }

    TVirtualToneGenerator Tone;
    TVirtualWavePlayer Wave;
    TVirtualClockSpeaker Speaker;
    TFixedClock Clock{{9, 59, 58}};
    TSeededRandom Random;
    TSimuBoard Board;
    std::optional<TActionTargets> Targets;
    int64_t Tick = 0;
};

// The ticks from the rig's tick to `tick`, as the runner's trace writes them,
// then the state.
std::string Trace(TRig& rig, int64_t tick, const std::vector<TTimedAction>& actions)
{
    const fs::path path = fs::path(::testing::TempDir()) / "snapshot_trace.jsonl";
    {
        TFileWriter log, trace;
        if (!log.Open((fs::path(::testing::TempDir()) / "snapshot_log.txt").string()).Ok ||
            !trace.Open(path.string()).Ok)
            throw std::runtime_error("cannot write in the temporary folder");
        cli::TRunRecorder recorder(rig.Board, log);
        recorder.RecordTrace(trace);
        while (rig.Tick < tick) {
            recorder.BeginTick(rig.Tick + 1);
            rig.RunTo(rig.Tick + 1, actions);
            recorder.EndTick();
        }
        log.Commit();
        trace.Commit();
    }
    std::string text;
    ReadWholeFile(path.string(), text, 1u << 30);
    return text + rig.State();
}

TEST(BoardSnapshot, ARestoredBoardGoesOnAsItWentEveryLessonAndTheBusyBoard)
{
    std::mt19937 random(2026);
    for (const fs::path& circuit : Circuits()) {
        SCOPED_TRACE(circuit.filename().string());
        const int64_t n = 100 + random() % 400, m = 400;
        TRig rig(circuit);
        const std::vector<TTimedAction> actions = testing::RandomActions(rig.Board, random, n + m);

        rig.RunTo(n / 2, actions);
        const std::string halfway = rig.State();
        const TBoardSnapshot early = rig.Board.TakeSnapshot();
        rig.RunTo(n, actions);
        const std::string atN = rig.State();
        const TBoardSnapshot snapshot = rig.Board.TakeSnapshot(&early);
        const TSeededRandom randomAtN = rig.Random;
        const std::string first = Trace(rig, n + m, actions);

        ASSERT_TRUE(rig.Board.RestoreSnapshot(snapshot));
        rig.Random = randomAtN;
        rig.Tick = n;
        EXPECT_EQ(rig.State(), atN);
        EXPECT_EQ(Trace(rig, n + m, actions), first);

        // Another future from the early snapshot, written where the later
        // one shares oscilloscope samples and log lines, leaves it as it was.
        ASSERT_TRUE(rig.Board.RestoreSnapshot(early));
        EXPECT_EQ(rig.State(), halfway);
        rig.Tick = n / 2;
        rig.RunTo(n + m, {});
        ASSERT_TRUE(rig.Board.RestoreSnapshot(snapshot));
        EXPECT_EQ(rig.State(), atN);

        TRig fresh(circuit);
        fresh.RunTo(n, actions);
        EXPECT_EQ(fresh.State(), atN);
    }
}

TEST(BoardSnapshot, IsRefusedByABoardWithOtherParts)
{
    TRig rig(fs::path(KELTO_EXAMPLES_DIR) / "lesson03_buttons.dps");
    const TBoardSnapshot snapshot = rig.Board.TakeSnapshot();
    rig.RunTo(50, {});
    const std::string before = rig.State();
    rig.Board.DeletePart(rig.Board.Part(rig.Board.PartCount() - 1));
    const std::string deleted = rig.State();
    EXPECT_FALSE(rig.Board.RestoreSnapshot(snapshot));
    EXPECT_EQ(rig.State(), deleted);
    EXPECT_NE(deleted, before);
}

TEST(BoardSnapshot, PutsTheWiperBackOnItsTrackAfterThePartMoved)
{
    TSimuBoard board;
    auto& resistor = static_cast<TSimuResistance&>(testing::Place(board, testing::kResistor, 40, 40));
    SetSliderPosition(board.Canvas(), resistor, 0.3);
    const TdxFcObject& body = *resistor.FBody;
    const TdxFcObject& wiper = *resistor.FSlider;
    const TPoint offset{wiper.Left() - body.Left(), wiper.Top() - body.Top()};
    const TBoardSnapshot snapshot = board.TakeSnapshot();
    SetSliderPosition(board.Canvas(), resistor, 0.8);
    board.MovePartTo(resistor.FBody, 300, 200);
    ASSERT_TRUE(board.RestoreSnapshot(snapshot));
    EXPECT_EQ(wiper.SliderPosition(), 0.3);
    EXPECT_EQ((TPoint{wiper.Left() - body.Left(), wiper.Top() - body.Top()}), offset);
    EXPECT_EQ(resistor.Port(0)->FValue, 0.3);
}

} // namespace
} // namespace kelto
