// The board's circuit read from and written to simulation files. A file that
// fails its check leaves the circuit as it was.
#pragma once

#include "core/board/board.h"
#include "core/files/circuit_file.h"

namespace kelto {

std::string WriteCircuitDocument(const TSimuBoard& board);
TFileResult SaveCircuitFile(const TSimuBoard& board, const std::string& path);
TFileResult ReadCircuitDocument(TSimuBoard& board, std::string_view text);
TFileResult LoadCircuitFile(TSimuBoard& board, const std::string& path);
// The same, keeping the file's text as read.
TFileResult LoadCircuitFile(TSimuBoard& board, const std::string& path, std::string& text);

} // namespace kelto
