// Checks one expectation against the state a run of a submission ended in.
#pragma once

#include "grade/task_file.h"

namespace kelto::grade {

struct TCheckResult {
    bool Ok = false;
    TJson Got; // the value found, null when there is none
    // Why there is no value (no such part, a caption naming two parts), or empty.
    std::string Problem;
};

// `state` is the runner's state JSON.
TCheckResult CheckExpectation(const TExpectation& expectation, const TJson& state);

} // namespace kelto::grade
