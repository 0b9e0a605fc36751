// The simulation file (.dps): an XML list of the placed parts and the wires
// between their pins. Writing is deterministic, so the text doubles as the
// snapshot that tells whether the circuit changed.
#pragma once

#include "core/files/file_result.h"

#include <string>
#include <string_view>

namespace kelto {

class TSimuBoard;

std::string WriteCircuitDocument(const TSimuBoard& board);
TFileResult SaveCircuitFile(const TSimuBoard& board, const std::string& path);

// Checks the whole text first; only a text that passes clears the board and
// rebuilds it, so a bad file leaves the circuit as it was.
TFileResult ReadCircuitDocument(TSimuBoard& board, std::string_view text);
TFileResult LoadCircuitFile(TSimuBoard& board, const std::string& path);

} // namespace kelto
