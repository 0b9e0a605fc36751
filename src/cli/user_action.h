// The --at actions: a user's mouse action on a part, or a press of a run
// button, between two ticks.
#pragma once

#include <optional>
#include <string>

namespace kelto {
class TSimuBoard;
}

namespace kelto::cli {

struct TUserAction {
    enum class TKind { Click, Press, Release, KeyDown, KeyUp, Slider, Run, Pause, Continue, Stop, ScopeRun,
                       ScopeStop, ScopeClear };
    TKind Kind = TKind::Click;
    // The oscilloscope buttons: the single-channel window's rather than the eight-channel one's.
    bool SingleChannel = false;
    int32_t Part = -1;
    int32_t Column = -1;
    int32_t Row = -1;
    double Position = 0.0;
};

// Checks the action against the loaded board: the part must exist and be of
// the class the action needs. The run and oscilloscope buttons need no part.
std::optional<TUserAction> ParseUserAction(const std::string& text, const TSimuBoard& board, std::string& error);
void PerformUserAction(const TUserAction& action, TSimuBoard& board);

} // namespace kelto::cli
