// Watching a run: the editor's run line and the variables window, both read
// from a snapshot of the interpreter.
#include "gui/app/form_kelto_simu.h"

#include "core/basic/run_snapshot.h"
#include "core/basic/watch_rows.h"
#include "gui/app/form_run_watch.h"
#include "gui/editor/program_editor.h"

namespace kelto::gui {

void TFormKeltoSimu::ButtonWatchClick()
{
    RefreshRunWatch();
    FormRunWatch->show();
    FormRunWatch->raise();
}

void TFormKeltoSimu::RefreshRunWatch()
{
    const TRunSnapshot snapshot = TakeRunSnapshot(FBoard.Basic());
    FProgramEditor->SetRunLine(snapshot.State == TRunState::Idle ? -1 : snapshot.ExecutedRow);
    if (FormRunWatch->isVisible())
        FormRunWatch->ShowRows(WatchRows(snapshot));
}

} // namespace kelto::gui
