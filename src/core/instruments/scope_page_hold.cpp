#include "core/instruments/scope_page_hold.h"

namespace kelto {

int64_t TScopePageHold::ShownMinimum(const TScopeRecorder& recorder, int64_t nowMilliseconds)
{
    const int64_t wanted = recorder.AxisMinimum();
    const uint64_t otherViewChanges = recorder.ViewVersion() - recorder.PageTurns();
    const bool onlyTurnedByRecording = otherViewChanges == FOtherViewChanges && recorder.Sampling();
    const bool calmEnough = nowMilliseconds - FShownAt >= kCalmPageMilliseconds;
    if (FOtherViewChanges == kNothingShown || (wanted != FShown && (!onlyTurnedByRecording || calmEnough))) {
        FShown = wanted;
        FShownAt = nowMilliseconds;
    }
    FOtherViewChanges = otherViewChanges;
    return FShown;
}

} // namespace kelto
