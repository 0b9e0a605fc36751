// What a user changed on the board between two ticks, as the runner's
// actions: the inputs a mouse can change (push buttons, toggle switches, keypad
// keys, wipers) compared with what they were, and parts that are gone. The
// window reports no mouse action one by one; this sees them all.
#pragma once

#include "core/circuit/parts.h"
#include "core/replay/user_action.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace kelto {

class TSimuBoard;

class TInputWatch {
public:
    // Watches the board's parts from now on, numbered as they stand or, for
    // a run under way, as its actions number them (a deletion renumbers
    // nothing).
    void Start(const TSimuBoard& board);
    void Start(const TSimuBoard& board, const std::function<int32_t(const TSimuPart&)>& indexOf);
    // The actions that turn `from`'s inputs into the watched board's, for
    // boards loaded from the same circuit: what a replay must do before its
    // first tick.
    std::vector<TUserAction> DifferencesFrom(const TSimuBoard& from) const;
    // The changes since the last call (or Start), in part order. False when
    // the board has parts the watch never saw: no action can say that.
    bool TakeChanges(const TSimuBoard& board, std::vector<TUserAction>& actions);

private:
    struct TInputs {
        const TSimuPart* Part = nullptr; // null once deleted
        uint8_t Held = 0;                // a push button pressed, a toggle switch closed
        std::array<uint8_t, 16> Keys{};
        double Wiper = 0.0;
    };
    static TInputs InputsOf(const TSimuPart& part);
    static void Compare(int32_t index, const TInputs& was, const TInputs& now, std::vector<TUserAction>& actions);
    int32_t LiveParts() const;

    std::vector<TInputs> FInputs; // by part index at Start
};

} // namespace kelto
