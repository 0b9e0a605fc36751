// The work a self-check hands in: the board's circuit and the editor's
// program, as saving them would write them.
#pragma once

#include "core/board/board.h"
#include "grade/self_check.h"

#include <optional>
#include <string>
#include <vector>

namespace kelto::grade {

// An editor with only empty lines hands in no program. Nothing, and in
// `error` the file error saving would show, when a line cannot be saved;
// `programName` names the program there.
std::optional<TWorkInProgress> BoardWork(const TSimuBoard& board, const std::vector<std::string>& editorLines,
                                         const std::string& programName, std::string& error);

} // namespace kelto::grade
