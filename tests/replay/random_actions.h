// Random user actions on a board's parts and run and oscilloscope buttons,
// for runs that must go the same way twice.
#pragma once

#include "core/board/board.h"
#include "core/replay/user_action.h"

#include <algorithm>
#include <random>
#include <vector>

namespace kelto::testing {

// Anything a user does between ticks that leaves the parts in place.
inline std::vector<TTimedAction> RandomActions(const TSimuBoard& board, std::mt19937& random, int64_t ticks)
{
    static const TUserAction::TKind kButtons[] = {
        TUserAction::TKind::Pause,     TUserAction::TKind::Continue,   TUserAction::TKind::Step,
        TUserAction::TKind::Stop,      TUserAction::TKind::Run,        TUserAction::TKind::ScopeRun,
        TUserAction::TKind::ScopeStop, TUserAction::TKind::ScopeClear,
    };
    std::vector<TTimedAction> actions;
    for (int n = 0; n < 60; ++n) {
        TUserAction action;
        action.Part = static_cast<int32_t>(random() % static_cast<uint32_t>(board.PartCount()));
        action.Column = static_cast<int32_t>(random() % 4);
        action.Row = static_cast<int32_t>(random() % 4);
        action.Position = (random() % 101) / 100.0;
        action.SingleChannel = random() % 2 == 0;
        switch (board.Part(action.Part)->FOwnerType) {
        case otZhaDaoSwitch: action.Kind = TUserAction::TKind::Click; break;
        case otAnNiuSwitch:
            action.Kind = random() % 2 ? TUserAction::TKind::Press : TUserAction::TKind::Release;
            break;
        case otKeypad:
            action.Kind = random() % 2 ? TUserAction::TKind::KeyDown : TUserAction::TKind::KeyUp;
            break;
        case otResistance: action.Kind = TUserAction::TKind::Slider; break;
        default: action.Kind = kButtons[random() % std::size(kButtons)]; break;
        }
        actions.push_back({1 + static_cast<int64_t>(random() % static_cast<uint32_t>(ticks)), action});
    }
    std::stable_sort(actions.begin(), actions.end(),
                     [](const TTimedAction& a, const TTimedAction& b) { return a.Tick < b.Tick; });
    return actions;
}

} // namespace kelto::testing
