// Undo and redo of one recorded canvas edit.
#include "gui/app/canvas_edit_command.h"

namespace kelto::gui {

TCanvasEditCommand::TCanvasEditCommand(TSimuBoard& board, TCanvasEdit edit, std::function<void()> onApplied)
    : FBoard(board), FEdit(std::move(edit)), FOnApplied(std::move(onApplied))
{
}

void TCanvasEditCommand::undo()
{
    UndoEdit(FBoard, FEdit);
    FDone = false;
    FOnApplied();
}

void TCanvasEditCommand::redo()
{
    if (FDone)
        return;
    RedoEdit(FBoard, FEdit);
    FDone = true;
    FOnApplied();
}

} // namespace kelto::gui
