// The window's recorded run beyond what the runner's replay shows: when a
// press keeps a recording, when looking back is allowed, and that the board
// still ticks once the recording is over.
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/circuit/parts.h"
#include "core/replay/recorded_run.h"
#include "core/replay/recording_text.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

const std::string kLesson = std::string(KELTO_EXAMPLES_DIR) + "/lesson03_buttons.dps";

std::vector<uint8_t> Leds(const TSimuBoard& board)
{
    std::vector<uint8_t> lit;
    for (int32_t i = 0; i < board.PartCount(); ++i) {
        if (const auto* led = dynamic_cast<const TSimuLEDA*>(board.Part(i)))
            lit.push_back(led->FLit);
        if (const auto* led = dynamic_cast<const TSimuLEDB*>(board.Part(i)))
            lit.push_back(led->FLit);
    }
    return lit;
}

TEST(RecordedRun, KeepsARecordingOnlyForARunAndTheBoardTicksOnAfterIt)
{
    TSimuBoard board;
    ASSERT_TRUE(LoadCircuitFile(board, kLesson).Ok);
    TRecordedRun run(board, "test");
    run.PressRun({});
    EXPECT_FALSE(run.HasRecording()); // an empty editor starts nothing
    run.PressStep({});
    EXPECT_FALSE(run.HasRecording());

    run.PressRun({"0 REM \"KELTOBASIC\"", "10 REM \"GOTO 10\""});
    ASSERT_TRUE(run.HasRecording());
    for (int tick = 0; tick < 20; ++tick)
        run.Tick(0.001);
    EXPECT_FALSE(run.CanLookBack()); // not while it runs
    EXPECT_FALSE(run.StepBack());
    run.PressStop();
    run.Tick(0.001); // the run ends in this tick
    const std::vector<uint8_t> lit = Leds(board);
    // A switch that lights an LED without the microcontroller: the board
    // ticks on unrecorded.
    for (int32_t i = 0; i < board.PartCount(); ++i)
        if (auto* toggle = dynamic_cast<TSimuZhaDaoSwitch*>(board.Part(i)))
            toggle->FClosed = toggle->FClosed != 0 ? 0 : 1;
    for (int tick = 0; tick < 5; ++tick)
        run.Tick(0.001);
    EXPECT_EQ(run.TickCount(), 21);
    EXPECT_TRUE(run.CanLookBack());
    EXPECT_NE(Leds(board), lit);

    EXPECT_TRUE(run.StepBack());
    EXPECT_TRUE(run.LookingBack());
    run.Forget();
    EXPECT_FALSE(run.HasRecording());
    EXPECT_EQ(run.TickCount(), 0);
    EXPECT_FALSE(run.LookingBack());
}

TEST(RecordedRun, AnOpenedRecordingBringsItsMotorSpeed)
{
    TSimuBoard board;
    ASSERT_TRUE(LoadCircuitFile(board, kLesson).Ok);
    TRunRecording recording;
    ASSERT_TRUE(ReadCircuitDocument(board, recording.Circuit = WriteCircuitDocument(board)).Ok);
    recording.SpeedFactor = 123.0;
    recording.DeltaTimes.AppendRun(0.001, 10);
    TRecordedRun run(board, "test");
    std::vector<std::string> lines;
    ASSERT_EQ(run.Open(recording, lines), std::nullopt);
    EXPECT_EQ(board.MotorSpeedFactor(), 123.0);
    EXPECT_EQ(run.ShownTick(), 10);
}

} // namespace
} // namespace kelto
