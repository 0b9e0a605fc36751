// The simulation file (.dps): an XML list of the placed parts and the wires
// between their pins. Writing is deterministic, so the text doubles as the
// snapshot that tells whether the circuit changed.
#pragma once

#include "core/files/circuit_description.h"
#include "core/files/file_result.h"

#include <string>
#include <string_view>

namespace kelto {

std::string WriteCircuitDocument(const TCircuitDescription& circuit);
TFileResult SaveCircuitFile(const TCircuitDescription& circuit, const std::string& path);

// Checks the whole text first; only a text that passes fills the description.
TFileResult ReadCircuitDocument(std::string_view text, TCircuitDescription& circuit);
TFileResult LoadCircuitFile(const std::string& path, TCircuitDescription& circuit);

} // namespace kelto
