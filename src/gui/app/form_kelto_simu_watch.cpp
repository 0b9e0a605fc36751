// Watching a run: the editor's run line and the variables window, both read
// from a snapshot of the interpreter.
#include "gui/app/form_kelto_simu.h"

#include "core/basic/run_snapshot.h"
#include "core/basic/watch_rows.h"
#include "gui/app/form_run_watch.h"
#include "gui/editor/program_editor.h"

namespace kelto::gui {

namespace {

constexpr int kWatchGap = 4;

} // namespace

// Shown first, so it is filled at once even when no run refreshes it; the
// first time beside the main window rather than over its buttons.
void TFormKeltoSimu::ButtonWatchClick()
{
    if (!FormRunWatch->isVisible() && !FWatchPlaced) {
        FWatchPlaced = true;
        FormRunWatch->move(frameGeometry().topRight() + QPoint(kWatchGap, 0));
    }
    FormRunWatch->show();
    FormRunWatch->raise();
    RefreshRunWatch();
}

void TFormKeltoSimu::RefreshRunWatch()
{
    FRunWatchRefresh.Refreshed();
    const TRunSnapshot snapshot = TakeRunSnapshot(FBoard.Basic());
    FProgramEditor->SetRunLine(snapshot.State == TRunState::Idle ? -1 : snapshot.ExecutedRow);
    if (FormRunWatch->isVisible())
        FormRunWatch->ShowRows(WatchRows(snapshot));
}

} // namespace kelto::gui
