// Which page of a recording the plot shows. At a thousand ticks a second the
// recorder turns ten pages a second, too fast to read: a page it turns to by
// recording stays on screen for a while before the plot follows again.
#pragma once

#include "core/instruments/scope_recorder.h"

#include <cstdint>

namespace kelto {

class TScopePageHold {
public:
    static constexpr int64_t kCalmPageMilliseconds = 1000;

    // The axis minimum to show at `nowMilliseconds` (any steady clock).
    // Buttons, the scroll bar and a stopped recording show at once.
    int64_t ShownMinimum(const TScopeRecorder& recorder, int64_t nowMilliseconds);

private:
    static constexpr uint64_t kNothingShown = UINT64_MAX;
    uint64_t FOtherViewChanges = kNothingShown;
    int64_t FShown = 0;
    int64_t FShownAt = 0;
};

} // namespace kelto
