// What a user changed on the board between two ticks, as the runner's
// actions: the inputs a mouse can change (push buttons, toggle switches, keypad
// keys, wipers) compared with what they were, and parts that are gone. The
// window reports no mouse action one by one; this sees them all.
#pragma once

#include "core/circuit/parts.h"
#include "core/replay/user_action.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kelto {

class TSimuBoard;

class TInputWatch {
public:
    // Watches the board's parts from now on, numbered as they stand.
    void Start(const TSimuBoard& board);
    // Watches parts numbered as a run's actions number them: `parts[i]` is
    // action index i, null for a part deleted earlier in the run.
    void Start(const std::vector<TSimuPart*>& parts);
    // The actions that turn `from`'s inputs into the watched board's, for
    // boards loaded from the same circuit: what a replay must do before its
    // first tick.
    std::vector<TUserAction> DifferencesFrom(const TSimuBoard& from) const;
    // The changes since the last call (or Start), in part order. False when
    // the board has parts the watch never saw: no action can say that.
    bool TakeChanges(const TSimuBoard& board, std::vector<TUserAction>& actions);

private:
    struct TInputs {
        int32_t Index = -1;
        const TSimuPart* Part = nullptr;
        uint8_t Held = 0; // a push button pressed, a toggle switch closed
        std::array<uint8_t, 16> Keys{};
        double Wiper = 0.0;
    };
    static TInputs InputsOf(int32_t index, const TSimuPart& part);
    static void Compare(const TInputs& was, const TInputs& now, std::vector<TUserAction>& actions);
    void FindDeleted(const TSimuBoard& board, std::vector<TUserAction>& actions);

    // Every part by index, to tell deletions; null once deleted.
    std::vector<const TSimuPart*> FParts;
    int32_t FAlive = 0;
    // Only the parts a user can change, looked at every tick.
    std::vector<TInputs> FInputs;
};

} // namespace kelto
