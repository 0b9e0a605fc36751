// The canvas edits the page can take back and make again, newest last: a new
// edit drops the ones taken back; a replaced circuit empties it.
#pragma once

#include "core/board/edit_history.h"

#include <vector>

namespace kelto::web {

class TWebEditHistory {
public:
    void Push(TCanvasEdit edit);
    void Clear();
    bool CanUndo() const { return FDone > 0; }
    bool CanRedo() const { return FDone < FEdits.size(); }
    void Undo(TSimuBoard& board);
    void Redo(TSimuBoard& board);

private:
    std::vector<TCanvasEdit> FEdits;
    size_t FDone = 0; // edits in effect, from the front
};

} // namespace kelto::web
