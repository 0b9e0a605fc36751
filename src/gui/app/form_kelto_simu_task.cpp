// The task panel's ties to the window: the task file dialog, and the work
// as the window would save it.
#include "gui/app/form_kelto_simu.h"

#include "grade/board_work.h"
#include "gui/app/modal_dialogs.h"
#include "gui/app/strings.h"
#include "gui/app/task_panel.h"

#include <QFile>
#include <QSplitter>

namespace kelto::gui {

void TFormKeltoSimu::BuildTaskPanel()
{
    TTaskPanelHooks hooks;
    hooks.ChooseTask = [this] {
        const auto chosen = ChooseFile(&IModalDialogs::OpenTaskDialog, TFileKind::Circuit, TDialogUse::Open);
        return chosen ? QFile::decodeName(chosen->c_str()) : QString();
    };
    hooks.Work = [this]() -> std::optional<grade::TWorkInProgress> {
        const std::string name = FDocument.ProgramFileName().empty() ? main_strings::kUnsavedProgram.toStdString()
                                                                     : FDocument.ProgramFileName();
        std::string error;
        std::optional<grade::TWorkInProgress> work = grade::BoardWork(FBoard, EditorLines(), name, error);
        if (!work)
            FDialogs.ShowFileError(this, QString::fromStdString(error));
        return work;
    };
    hooks.ShowError = [this](const QString& message) { FDialogs.ShowFileError(this, message); };
    PanelTask = new TTaskPanel(std::move(hooks), Splitter2);
    // The first assignment takes a third of the editor's room.
    connect(PanelTask, &TTaskPanel::TaskShown, this, [this] {
        QList<int> sizes = Splitter2->sizes();
        if (sizes[0] > TTaskPanel::kBarHeight)
            return;
        const int room = sizes[0] + sizes[1];
        sizes[0] = room / 3;
        sizes[1] = room - sizes[0];
        Splitter2->setSizes(sizes);
    });
}

} // namespace kelto::gui
