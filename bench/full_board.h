// The full board the speed figures are measured on: every palette item
// placed and every display, gate, flip-flop, expander, LCD and probe pin
// wired to a microcontroller port pin.
#pragma once

#include "core/board/board.h"

#include <vector>

namespace kelto {

void BuildFullBoard(TSimuBoard& board);
// The pins wired to the microcontroller, in part order.
std::vector<TSimuPortInfo*> WiredPins(const TSimuBoard& board);
// The placed parts in placement order, as the tick walks them.
std::vector<TSimuPart*> PlacedParts(const TSimuBoard& board);

} // namespace kelto
