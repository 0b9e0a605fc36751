// What a user changed on the board between two ticks, in the runner's action
// words: the inputs a mouse can change (push buttons, toggle switches, keypad
// keys, wipers) compared with what they were, and parts that are gone. The
// window reports no mouse action one by one; this sees them all.
#pragma once

#include "core/circuit/parts.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kelto {

class TSimuBoard;

class TInputWatch {
public:
    // Watches the board's parts from now on, numbered as they stand.
    void Start(const TSimuBoard& board);
    // The actions that turn `from`'s inputs into the watched board's, for
    // boards loaded from the same circuit: what a replay must do before its
    // first tick.
    std::vector<std::string> DifferencesFrom(const TSimuBoard& from) const;
    // The changes since the last call (or Start), in part order. False when
    // the board has parts the watch never saw: no action can say that.
    bool TakeChanges(const TSimuBoard& board, std::vector<std::string>& actions);

private:
    struct TInputs {
        const TSimuPart* Part = nullptr; // null once deleted
        uint8_t Held = 0;                // a push button pressed, a toggle switch closed
        std::array<uint8_t, 16> Keys{};
        double Wiper = 0.0;
    };
    static TInputs InputsOf(const TSimuPart& part);
    static void Compare(int32_t index, const TInputs& was, const TInputs& now, std::vector<std::string>& actions);
    int32_t LiveParts() const;

    std::vector<TInputs> FInputs; // by part index at Start
};

} // namespace kelto
