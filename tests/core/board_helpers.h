// Builds small circuits on a board for tests: place by palette item, wire by pin index.
#pragma once

#include "core/board/board.h"

namespace kelto::testing {

// A board whose interpreter a test sets up directly.
class TTestBoard : public TSimuBoard {
public:
    using TSimuBoard::Interpreter;
};

// Palette items used by the tests.
enum TItem : int32_t {
    kK0 = 15, kK1 = 1, kS1 = 4, kS2 = 5, kResistor = 6, kKeypad = 21, kLED0 = 7, kLED3 = 34,
    kMotor1 = 10, kVCC = 12, kGND = 13, kMCU = 14, kNOT1 = 27, kNOT2 = 28, kScope = 24,
};

inline TSimuPart& Place(TSimuBoard& board, int32_t item, int32_t x = 0, int32_t y = 0)
{
    TSimuPart* part = board.PlaceItem(item);
    if (part == nullptr)
        throw std::logic_error("palette item already placed");
    board.MovePartTo(part->FBody, x, y);
    return *part;
}

inline TdxFcConnection* Wire(TSimuBoard& board, TSimuPart& a, int32_t pinA, TSimuPart& b, int32_t pinB)
{
    return board.Canvas().CreateConnection(a.Pin(pinA), b.Pin(pinB));
}

// The client point of a pin, for clicks (scroll is zero in these tests).
inline TPoint PinPoint(const TSimuPart& part, int32_t pin)
{
    return part.PinPoint(pin);
}

} // namespace kelto::testing
