// What the pointer names on the canvas and the palette: a pin with what its
// net reads now, a part's palette caption, a palette item's pins (UTF-8).
#pragma once

#include "core/board/board.h"
#include "core/board/palette.h"

#include <string>

namespace kelto {

// Empty for none or a pin of no placed part.
std::string PinHint(TSimuBoard& board, const TSimuPortInfo* pin);
// Empty for an object that is not a placed part's body.
std::string BodyHint(const TSimuBoard& board, const TdxFcObject* body);
std::string PaletteItemHint(const TPaletteItem& item);
// A pin near the client point, else the part under it; empty for neither.
std::string HintAtPoint(TSimuBoard& board, int32_t clientX, int32_t clientY);
// The words for a net read: low, high, undriven, or the analogue value.
std::string NetReadingText(TSimEngine& engine, const TSimuPortInfo* pin);

} // namespace kelto
