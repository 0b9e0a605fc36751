// What the run watch panel lists, worded for a student: the run state, the
// line run last with what it ran as, the number looked up next, the GOSUB depth, the FOR loops
// still open and the variables A to Z.
#pragma once

#include "core/basic/run_snapshot.h"

#include <string>
#include <vector>

namespace kelto {

struct TWatchRow {
    std::string Name;
    std::string Value;
    bool operator==(const TWatchRow&) const = default;
};

std::vector<TWatchRow> WatchRows(const TRunSnapshot& snapshot);

} // namespace kelto
