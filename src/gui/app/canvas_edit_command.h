// One canvas edit on the window's undo stack: taking it back and making it
// again are the core's; the window hears when either happened.
#pragma once

#include "core/board/edit_history.h"

#include <QUndoCommand>

#include <functional>

namespace kelto::gui {

class TCanvasEditCommand final : public QUndoCommand {
public:
    // The edit has been made already: the push's first redo() leaves it be.
    TCanvasEditCommand(TSimuBoard& board, TCanvasEdit edit, std::function<void()> onApplied);

    void undo() override;
    void redo() override;

private:
    TSimuBoard& FBoard;
    TCanvasEdit FEdit;
    std::function<void()> FOnApplied;
    bool FDone = true;
};

} // namespace kelto::gui
