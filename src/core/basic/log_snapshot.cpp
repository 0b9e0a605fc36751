#include "core/basic/log_snapshot.h"

#include "core/basic/interpreter.h"

#include <algorithm>

namespace kelto {

static_assert(kKeptLogLines % TLogSnapshot::kBlockLines == 0,
              "dropping the oldest lines must move whole blocks, or none could be reused");

namespace {

using TBlock = std::shared_ptr<const std::vector<std::string>>;

bool Holds(const TBlock& block, const std::vector<std::string>& lines, size_t from)
{
    return from + block->size() <= lines.size() &&
           std::equal(block->begin(), block->end(), lines.begin() + static_cast<std::ptrdiff_t>(from));
}

// The earlier snapshot's block that holds the same lines at `from`, had the
// log dropped its oldest lines since, or not.
TBlock ReusableBlock(const TLogSnapshot* earlier, const std::vector<std::string>& lines, size_t block)
{
    if (earlier == nullptr)
        return nullptr;
    for (const size_t shift : {size_t{0}, kKeptLogLines / TLogSnapshot::kBlockLines}) {
        const size_t at = block + shift;
        if (at < earlier->Blocks.size() && earlier->Blocks[at]->size() == TLogSnapshot::kBlockLines &&
            Holds(earlier->Blocks[at], lines, block * TLogSnapshot::kBlockLines))
            return earlier->Blocks[at];
    }
    return nullptr;
}

} // namespace

size_t TLogSnapshot::LineCount() const
{
    return Blocks.empty() ? 0 : (Blocks.size() - 1) * kBlockLines + Blocks.back()->size();
}

TLogSnapshot SaveLog(const std::vector<std::string>& lines, const TLogSnapshot* earlier)
{
    TLogSnapshot snapshot;
    for (size_t block = 0; block * TLogSnapshot::kBlockLines < lines.size(); ++block) {
        const size_t from = block * TLogSnapshot::kBlockLines;
        const size_t to = std::min(lines.size(), from + TLogSnapshot::kBlockLines);
        TBlock reused =
            to - from == TLogSnapshot::kBlockLines ? ReusableBlock(earlier, lines, block) : nullptr;
        snapshot.Blocks.push_back(reused != nullptr ? reused
                                                    : std::make_shared<const std::vector<std::string>>(
                                                          lines.begin() + static_cast<std::ptrdiff_t>(from),
                                                          lines.begin() + static_cast<std::ptrdiff_t>(to)));
    }
    return snapshot;
}

void RestoreLog(const TLogSnapshot& snapshot, std::vector<std::string>& lines)
{
    lines.clear();
    lines.reserve(snapshot.LineCount());
    for (const TBlock& block : snapshot.Blocks)
        lines.insert(lines.end(), block->begin(), block->end());
}

} // namespace kelto
