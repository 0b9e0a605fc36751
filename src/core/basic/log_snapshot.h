// The message log taken away and put back. Lines are kept in shared blocks
// that later snapshots reuse while the log still holds the same lines there,
// so a snapshot costs the lines added since the one before, not the whole log.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kelto {

struct TLogSnapshot {
    static constexpr size_t kBlockLines = 500; // divides the lines the log drops at once

    std::vector<std::shared_ptr<const std::vector<std::string>>> Blocks;
    size_t LineCount() const;
};

// `earlier` is a snapshot of the same log taken before, or nullptr.
TLogSnapshot SaveLog(const std::vector<std::string>& lines, const TLogSnapshot* earlier);
void RestoreLog(const TLogSnapshot& snapshot, std::vector<std::string>& lines);

} // namespace kelto
