#include "core/board/run_press.h"

#include "core/board/guidance_texts.h"

#include <algorithm>

namespace kelto {

namespace {

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

// Checked in the order a newcomer meets them.
void ExplainWhenIdle(TSimuBoard& board, const std::vector<std::string>& gbkLines)
{
    if (board.Basic().RunState() != TRunState::Idle)
        return;
    if (board.Slot(kMcuItem) == nullptr)
        board.LogLine(kRunNeedsMcu);
    else if (std::all_of(gbkLines.begin(), gbkLines.end(), IsBlank))
        board.LogLine(kRunNeedsProgram);
    else
        board.LogLine(kRunNeedsHeader);
}

} // namespace

void PressRun(TSimuBoard& board, const std::vector<std::string>& gbkLines)
{
    board.SetEditorLines(gbkLines);
    board.ButtonRUNClick();
    ExplainWhenIdle(board, gbkLines);
}

void PressStep(TSimuBoard& board, const std::vector<std::string>& gbkLines)
{
    board.SetEditorLines(gbkLines);
    board.ButtonStepClick();
    ExplainWhenIdle(board, gbkLines);
}

void PressStop(TSimuBoard& board)
{
    if (board.Basic().RunState() == TRunState::Paused)
        board.ButtonCONTINUEClick();
    board.ButtonSTOPClick();
}

} // namespace kelto
