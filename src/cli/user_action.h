// The --at actions: a user's mouse action on a part, between two ticks.
#pragma once

#include <optional>
#include <string>

namespace kelto {
class TSimuBoard;
}

namespace kelto::cli {

struct TUserAction {
    enum class TKind { Click, Press, Release, KeyDown, KeyUp, Slider } Kind = TKind::Click;
    int32_t Part = -1;
    int32_t Column = -1;
    int32_t Row = -1;
    double Position = 0.0;
};

// Checks the action against the loaded board: the part must exist and be of
// the class the action needs.
std::optional<TUserAction> ParseUserAction(const std::string& text, const TSimuBoard& board, std::string& error);
void PerformUserAction(const TUserAction& action, TSimuBoard& board);

} // namespace kelto::cli
