// Checks one expectation against the state a run of a submission ended in.
#pragma once

#include "grade/task_file.h"

#include <string>
#include <vector>

namespace kelto::grade {

struct TCheckResult {
    bool Ok = false;
    TJson Got; // the value found, null when there is none
    // Why there is no value (no such part, a caption naming two parts), or empty.
    std::string Problem;
};

// `state` is the runner's state JSON.
TCheckResult CheckExpectation(const TExpectation& expectation, const TJson& state);

// The value as an equals check compares it: a display's text without the
// spaces that pad its lines.
TJson ComparedValue(const TExpectation& expectation, const TJson& value);

// The captions of the state's parts by index, such as "常开按钮S1".
std::vector<std::string> PartCaptions(const TJson& state);

} // namespace kelto::grade
