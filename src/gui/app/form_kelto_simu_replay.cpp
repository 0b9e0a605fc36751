// The window's ties to its recorded run: the run buttons and every tick go
// through it, the replay bar moves it, and its recording is a file.
#include "gui/app/form_kelto_simu.h"

#include "core/board/file_error_text.h"
#include "core/files/atomic_file.h"
#include "core/files/file_result.h"
#include "core/replay/recording_text.h"
#include "gui/app/modal_dialogs.h"
#include "gui/app/replay_panel.h"
#include "gui/app/strings.h"
#include "gui/editor/flow_chart_view.h"
#include "gui/instruments/scope_form.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QSplitter>

namespace kelto::gui {

void TFormKeltoSimu::BuildReplayPanel()
{
    PanelReplay = new TReplayPanel(PanelMain);
    connect(PanelReplay, &TReplayPanel::SaveRequested, this, &TFormKeltoSimu::SaveRecording);
    connect(PanelReplay, &TReplayPanel::OpenRequested, this, &TFormKeltoSimu::OpenRecording);
    connect(PanelReplay, &TReplayPanel::SeekRequested, this, [this](int64_t tick) {
        FRecordedRun.SeekTo(tick);
        ShowLookingBack();
    });
    connect(PanelReplay, &TReplayPanel::StepBackRequested, this, [this] {
        if (FRecordedRun.StepBack())
            ShowLookingBack();
    });
    connect(PanelReplay, &TReplayPanel::StepForwardRequested, this, [this] {
        if (FRecordedRun.StepForward())
            ShowLookingBack();
    });
}

void TFormKeltoSimu::SetSoundDevices(const TSoundDevices& devices)
{
    FRecordedRun.SetRealDevices(devices);
}

void TFormKeltoSimu::RecordScopeButtons(TInstrument instrument, TScopeForm& window)
{
    const std::string prefix = instrument == TInstrument::Audioas ? "scope1:" : "scope:";
    const std::pair<QPushButton*, const char*> buttons[] = {
        {window.ButtonRun, "run"}, {window.ButtonStop, "stop"}, {window.ButtonClear, "clear"}};
    for (const auto& [button, name] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, action = prefix + name] { FRecordedRun.ScopePressed(action); });
}

// Going on from a past tick drops the ticks after it; asked when the
// student never saw them.
bool TFormKeltoSimu::MayDropLaterTicks()
{
    if (!FRecordedRun.LookingBack() || FRecordedRun.UnseenTicks() == 0)
        return true;
    return FDialogs.AskSaveChanges(this, main_strings::kDropLaterTicks.arg(FRecordedRun.UnseenTicks())) ==
           TSaveAnswer::Yes;
}

// The board, its log, the run line, the variables and the oscilloscopes as
// they were after the tick shown.
void TFormKeltoSimu::ShowLookingBack()
{
    // One text, not a line at a time: a drag shows thousands of lines each step.
    QStringList lines;
    for (const std::string& line : FBoard.Basic().FMessageLines)
        lines.push_back(QString::fromStdString(line));
    MemoMessage->setPlainText(lines.join(QLatin1Char('\n')));
    MemoMessage->verticalScrollBar()->setValue(MemoMessage->verticalScrollBar()->maximum());
    dxFlowChart1->viewport()->update();
    for (TScopeForm* window : FInstrumentWindows)
        if (window != nullptr)
            window->Refresh();
    RefreshRunWatch();
    RefreshRunButtons();
    RefreshReplayPanel();
}

void TFormKeltoSimu::RefreshReplayPanel()
{
    FReplayRefresh.Refreshed();
    PanelReplay->ShowTimeline(FRecordedRun.ShownTick(), FRecordedRun.TickCount(), FRecordedRun.CanLookBack());
}

void TFormKeltoSimu::SaveRecording()
{
    const std::optional<std::string> path =
        ChooseFile(&IModalDialogs::SaveRecordingDialog, TFileKind::Circuit, TDialogUse::Save);
    if (!path)
        return;
    if (TFileResult written = WriteFileAtomically(*path, FRecordedRun.FileText()); !written.Ok)
        ShowFileError(FileErrorText(written.About(TFileOperation::Write, *path, "Cannot write")));
}

void TFormKeltoSimu::OpenRecording()
{
    const std::optional<std::string> path =
        ChooseFile(&IModalDialogs::OpenRecordingDialog, TFileKind::Circuit, TDialogUse::Open);
    if (!path)
        return;
    std::string text;
    if (TFileResult read = ReadWholeFile(*path, text, kMaxRecordingBytes); !read.Ok) {
        ShowFileError(FileErrorText(read.About(TFileOperation::Read, *path, "Cannot read")));
        return;
    }
    // A file refused before the save questions costs the student nothing.
    std::string error;
    std::optional<TRunRecording> recording = ReadRecording(text, error);
    if (!recording) {
        FDialogs.ShowFileError(this, main_strings::kRecordingRefused.arg(QFile::decodeName(path->c_str()),
                                                                         QString::fromStdString(error)));
        return;
    }
    const std::string title = QFileInfo(QFile::decodeName(path->c_str())).completeBaseName().toStdString();
    const bool opened = FDocument.ReplaceWith(title, [&](std::vector<std::string>& lines) {
        std::optional<std::string> problem = FRecordedRun.Open(std::move(*recording), lines);
        return problem ? std::optional<std::string>(*path + ": " + *problem) : std::nullopt;
    });
    if (opened)
        ShowLookingBack();
}

} // namespace kelto::gui
