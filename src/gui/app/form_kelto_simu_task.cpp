// The task panel's ties to the window: the task file dialog, and the work
// as the window would save it.
#include "gui/app/form_kelto_simu.h"

#include "core/board/board_file.h"
#include "core/board/file_error_text.h"
#include "core/files/program_file.h"
#include "gui/app/modal_dialogs.h"
#include "gui/app/strings.h"
#include "gui/app/task_panel.h"

#include <QFile>
#include <QSplitter>

#include <algorithm>

namespace kelto::gui {

void TFormKeltoSimu::BuildTaskPanel()
{
    TTaskPanelHooks hooks;
    hooks.ChooseTask = [this] {
        const auto chosen = ChooseFile(&IModalDialogs::OpenTaskDialog, TFileKind::Circuit, TDialogUse::Open);
        return chosen ? QFile::decodeName(chosen->c_str()) : QString();
    };
    hooks.Work = [this]() -> std::optional<grade::TWorkInProgress> {
        grade::TWorkInProgress work{WriteCircuitDocument(FBoard), std::nullopt};
        const std::vector<std::string> lines = EditorLines();
        if (std::all_of(lines.begin(), lines.end(), [](const std::string& line) { return line.empty(); }))
            return work;
        std::string bytes;
        if (TFileResult encoded = EncodeProgramText(lines, bytes); !encoded.Ok) {
            const std::string name = FDocument.ProgramFileName().empty()
                                         ? main_strings::kUnsavedProgram.toStdString()
                                         : FDocument.ProgramFileName();
            encoded.About(TFileOperation::Write, name, "Cannot save");
            FDialogs.ShowFileError(this, QString::fromStdString(FileErrorText(encoded)));
            return std::nullopt;
        }
        work.Program = std::move(bytes);
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
