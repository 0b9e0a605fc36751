// Student text can be anything: random statements and random lines must go
// through preparation and execution without reading or writing outside the
// interpreter's buffers (the sanitizer build checks that) and without a step
// ever doing more than one statement.
#include "basic_board.h"
#include "core/basic/program_lines.h"
#include "core/basic/program_review.h"
#include "statement_maker.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using testing::TBasicBoard;
using testing::TStatementMaker;

TEST(Fuzz, RandomStatementsPrepareAndRunOneStepAtATime)
{
    TStatementMaker maker(20261209);
    int64_t statementsRun = 0;
    for (int program = 0; program < 1500; ++program) {
        TBasicBoard b;
        b.Random.FValue = maker.Below(1000);
        std::vector<std::string> lines{"0 REM \"KELTOBASIC\""};
        const int count = 1 + maker.Below(10);
        for (int i = 1; i <= count; ++i)
            lines.push_back(maker.MakeLine(10 * i));
        SCOPED_TRACE(::testing::PrintToString(lines));
        // What the editor says of the program is read from the same bytes.
        ASSERT_EQ(ReviewProgram(lines).Readings.size(), lines.size());
        ASSERT_TRUE(b.Run(lines));
        for (int tick = 0; tick < 4 * count + 8 && b.Basic().FRunning; ++tick) {
            b.Basic().ForgetLastStep();
            b.Tick();
            if (b.Basic().LastStep().Kind == TStepReport::TKind::Statement)
                ++statementsRun;
            ASSERT_LE(b.Basic().FStatement.Length(), TStatementBuffer::kCapacity);
            ASSERT_GE(b.Basic().FKeyShift, 0);
            ASSERT_LE(b.Basic().FKeyShift, 7);
            ASSERT_LE(b.Basic().FWaitKind, wkClock);
        }
        // A wait counted from any value ends within its count.
        if (b.Basic().FWaiting && b.Basic().FWaitKind <= wkRight) {
            EXPECT_GT(b.Basic().FWaitCount, 0);
        }
    }
    EXPECT_GT(statementsRun, 5000);
}

TEST(Fuzz, RandomCompactStatementsExecuteDirectly)
{
    // Straight into the prepared program, so even text that preparation would
    // reject or change reaches the dispatch.
    TStatementMaker maker(7);
    TBasicBoard b;
    for (int i = 0; i < 6000; ++i) {
        const std::string statement = maker.Make();
        SCOPED_TRACE(::testing::PrintToString(statement));
        if (!b.Basic().FRunning) {
            ASSERT_TRUE(b.RunStatements({}));
        }
        b.Basic().FProgram = {{"0", "", "KELTOBASIC", 0}, {"10", "", statement, 10}};
        b.Basic().FCurrentLine = 10;
        b.Basic().FWaiting = false;
        b.Basic().ForgetLastStep();
        b.Tick();
        ASSERT_TRUE(b.Basic().LastStep().Kind == TStepReport::TKind::Statement ||
                    b.Basic().LastStep().Kind == TStepReport::TKind::End);
    }
}

TEST(Fuzz, RandomBytesNeverMakeAValidLineOutOfRange)
{
    TStatementMaker maker(99);
    for (int i = 0; i < 5000; ++i) {
        std::string line;
        const int length = maker.Below(200);
        for (int k = 0; k < length; ++k)
            line += static_cast<char>(maker.Below(256));
        if (maker.Below(2) == 0)
            line = std::to_string(maker.Below(70000) - 35000) + " REM " + line;
        SCOPED_TRACE(::testing::PrintToString(line));
        const TSplitLine split = SplitProgramLine(line);
        if (split.Valid) {
            EXPECT_GE(split.Number, -32768);
            EXPECT_LE(split.Number, 32767);
            EXPECT_EQ(split.QuotedStatement.front(), '"');
            EXPECT_EQ(split.QuotedStatement.back(), '"');
        }
    }
}

} // namespace
} // namespace kelto
