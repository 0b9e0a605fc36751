// Going back in a ten-minute run of the busy board (600 000 ticks, the wiper
// moved now and then): a seek to any tick, a statement back, and what the
// checkpoints and one snapshot cost. Argument 0: every tick a millisecond;
// 1: every tick a little different, as the window's frame clock makes them.
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/board/board_snapshot.h"
#include "core/files/program_file.h"
#include "core/replay/run_timeline.h"
#include "core/sound/virtual_devices.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

namespace kelto {
namespace {

constexpr int64_t kTenMinutes = 600000;

struct TTenMinuteRun {
    explicit TTenMinuteRun(bool varying)
    {
        const std::string base = std::string(KELTO_BENCH_DATA_DIR) + "/busy_board";
        if (!LoadCircuitFile(Board, base + ".dps", Recording.Circuit).Ok ||
            !LoadProgramFile(base + ".txt", Recording.ProgramLines).Ok)
            std::abort();
        Recording.RunAtStart = true;
        Board.SetEditorLines(ProgramLinesAsGbk(Recording.ProgramLines));
        Board.ButtonRUNClick();
        std::string error;
        Timeline = TRunTimeline::Create(Board, Recording, error);
        Timeline->ContinueLive({nullptr, nullptr, nullptr, &Clock, nullptr});
        std::mt19937 random(1);
        for (int64_t tick = 1; tick <= kTenMinutes; ++tick) {
            if (tick % 997 == 0) {
                TUserAction action;
                action.Kind = TUserAction::TKind::Slider;
                action.Part = 17; // the variable resistor
                action.Position = (random() % 101) / 100.0;
                Timeline->Perform(action);
            }
            Timeline->RunTick(varying ? 0.001 + static_cast<double>(tick % 7) * 1e-5 : 0.001);
        }
    }
    TFixedClock Clock{{8, 0, 0}};
    TSimuBoard Board;
    TRunRecording Recording;
    std::unique_ptr<TRunTimeline> Timeline;
};

TTenMinuteRun& Run(int64_t varying)
{
    static TTenMinuteRun steady(false), frames(true);
    return varying != 0 ? frames : steady;
}

void BM_SeekAnywhere(benchmark::State& state)
{
    TTenMinuteRun& run = Run(state.range(0));
    TRunTimeline& timeline = *run.Timeline;
    std::mt19937 random(2);
    for (auto _ : state)
        timeline.SeekTo(static_cast<int64_t>(random() % kTenMinutes));
    state.counters["checkpoints"] = static_cast<double>(timeline.CheckpointCount());
    state.counters["checkpoint_bytes"] = static_cast<double>(timeline.CheckpointBytes());
    state.counters["snapshot_bytes"] = static_cast<double>(run.Board.TakeSnapshot().Bytes(nullptr));
    state.counters["deltatime_runs"] = static_cast<double>(run.Recording.DeltaTimes.Runs().size());
}
BENCHMARK(BM_SeekAnywhere)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_StepBack(benchmark::State& state)
{
    TRunTimeline& timeline = *Run(state.range(0)).Timeline;
    std::mt19937 random(3);
    for (auto _ : state) {
        state.PauseTiming();
        timeline.SeekTo(static_cast<int64_t>(random() % kTenMinutes));
        state.ResumeTiming();
        timeline.StepBack();
    }
}
BENCHMARK(BM_StepBack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelto

BENCHMARK_MAIN();
