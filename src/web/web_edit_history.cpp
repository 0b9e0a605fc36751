#include "web/web_edit_history.h"

namespace kelto::web {

void TWebEditHistory::Push(TCanvasEdit edit)
{
    FEdits.resize(FDone);
    FEdits.push_back(std::move(edit));
    FDone = FEdits.size();
}

void TWebEditHistory::Clear()
{
    FEdits.clear();
    FDone = 0;
}

void TWebEditHistory::Undo(TSimuBoard& board)
{
    if (CanUndo())
        UndoEdit(board, FEdits[--FDone]);
}

void TWebEditHistory::Redo(TSimuBoard& board)
{
    if (CanRedo())
        RedoEdit(board, FEdits[FDone++]);
}

} // namespace kelto::web
