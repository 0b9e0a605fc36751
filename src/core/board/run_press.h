// Run, Step and Stop as the window's buttons press them: the editor's lines
// go to the board, a press that starts no run says why in the log (the
// runner's Run stays silent, as a run that starts nothing always was), and
// Stop ends a paused run too.
#pragma once

#include "core/board/board.h"

#include <string>
#include <vector>

namespace kelto {

void PressRun(TSimuBoard& board, const std::vector<std::string>& gbkLines);
void PressStep(TSimuBoard& board, const std::vector<std::string>& gbkLines);
void PressStop(TSimuBoard& board);

} // namespace kelto
