// The log comes back line for line, and a snapshot shares the blocks of the
// one before it only where the log still holds the same lines.
#include "core/basic/interpreter.h"
#include "core/basic/log_snapshot.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

std::vector<std::string> Lines(int from, int count)
{
    std::vector<std::string> lines;
    for (int i = from; i < from + count; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines;
}

TEST(LogSnapshot, ComesBackAsTakenSharingOnlyBlocksThatStillHoldTheSameLines)
{
    constexpr int kBlock = static_cast<int>(TLogSnapshot::kBlockLines);
    constexpr int kDropped = static_cast<int>(kKeptLogLines);
    struct TCase {
        const char* Name;
        std::vector<std::string> Before;
        std::vector<std::string> After;
        size_t SharedBlocks;
    };
    const TCase cases[] = {
        {"lines added", Lines(0, 3 * kBlock + 7), Lines(0, 5 * kBlock + 1), 3},
        {"cleared and written again", Lines(0, 3 * kBlock), Lines(1, 3 * kBlock), 0},
        {"one line changed", Lines(0, 2 * kBlock),
         [] {
             std::vector<std::string> lines = Lines(0, 2 * kBlock);
             lines[kBlock + 3] = "other";
             return lines;
         }(),
         1},
        {"oldest lines dropped", Lines(0, 2 * kDropped), Lines(kDropped, kDropped + 2 * kBlock),
         kDropped / kBlock},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TLogSnapshot before = SaveLog(c.Before, nullptr);
        const TLogSnapshot after = SaveLog(c.After, &before);
        size_t shared = 0;
        for (const auto& block : after.Blocks)
            shared += std::count(before.Blocks.begin(), before.Blocks.end(), block);
        EXPECT_EQ(shared, c.SharedBlocks);
        std::vector<std::string> restored{"stale"};
        RestoreLog(after, restored);
        EXPECT_EQ(restored, c.After);
        RestoreLog(before, restored);
        EXPECT_EQ(restored, c.Before);
    }
}

} // namespace
} // namespace kelto
