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
// `text` keeps the file's text as read, for whoever keeps the file itself.
TFileResult LoadCircuitFile(const std::string& path, TCircuitDescription& circuit, std::string& text);
TFileResult LoadCircuitFile(const std::string& path, TCircuitDescription& circuit);

// The largest circuit file read.
constexpr size_t kMaxCircuitFileBytes = 64u * 1024u * 1024u;

} // namespace kelto
