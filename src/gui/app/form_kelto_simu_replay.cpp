// The window's recording of each run and the replay bar's ties to it: what
// starts and ends a recording, what goes into it between ticks, and the
// recording as a file.
#include "gui/app/form_kelto_simu.h"

#include "core/board/file_error_text.h"
#include "core/files/atomic_file.h"
#include "core/replay/recording_text.h"
#include "gui/app/modal_dialogs.h"
#include "gui/app/replay_panel.h"
#include "gui/app/strings.h"
#include "gui/instruments/scope_form.h"

#include <QPushButton>
#include <QSplitter>

#include <random>

namespace kelto::gui {

void TFormKeltoSimu::BuildReplayPanel()
{
    PanelReplay = new TReplayPanel(Splitter2);
    connect(PanelReplay, &TReplayPanel::SaveRequested, this, &TFormKeltoSimu::SaveRecording);
}

void TFormKeltoSimu::SetSoundDevices(const TSoundDevices& devices)
{
    FRealDevices = devices;
    FBoard.SetSoundDevices(FLiveRecording.Active() ? FLiveRecording.Devices() : devices);
}

// Before the press that may start a run; kept only when it did.
void TFormKeltoSimu::BeginRecording(bool runAtStart)
{
    if (!FShownRunButtons.Run)
        return;
    FLiveRecording.Begin(FBoard, EditorLines(), runAtStart, FRealDevices,
                         "keltosimu " KELTO_VERSION, std::random_device{}());
    FBoard.SetSoundDevices(FLiveRecording.Devices());
}

void TFormKeltoSimu::KeepRecordingIfRunStarted()
{
    if (FLiveRecording.Active() && FBoard.Basic().RunButtons().Run)
        EndRecording();
    RefreshReplayPanel();
}

void TFormKeltoSimu::RecordPress(const char* action)
{
    FLiveRecording.Pressed(action);
}

// The recorded ticks stay for the time line and the file.
void TFormKeltoSimu::EndRecording()
{
    FLiveRecording.End();
    FBoard.SetSoundDevices(FRealDevices);
    RefreshReplayPanel();
}

void TFormKeltoSimu::RecordScopeButtons(TInstrument instrument, TScopeForm& window)
{
    const std::string prefix = instrument == TInstrument::Audioas ? "scope1:" : "scope:";
    connect(window.ButtonRun, &QPushButton::clicked, this, [this, prefix] { FLiveRecording.Pressed(prefix + "run"); });
    connect(window.ButtonStop, &QPushButton::clicked, this,
            [this, prefix] { FLiveRecording.Pressed(prefix + "stop"); });
    connect(window.ButtonClear, &QPushButton::clicked, this,
            [this, prefix] { FLiveRecording.Pressed(prefix + "clear"); });
}

void TFormKeltoSimu::RefreshReplayPanel()
{
    const int64_t ticks = FLiveRecording.Recording().Ticks();
    PanelReplay->ShowTimeline(ticks, ticks, false);
}

void TFormKeltoSimu::SaveRecording()
{
    const std::optional<std::string> path =
        ChooseFile(&IModalDialogs::SaveRecordingDialog, TFileKind::Circuit, TDialogUse::Save);
    if (!path)
        return;
    if (TFileResult written = WriteFileAtomically(*path, WriteRecording(FLiveRecording.Recording())); !written.Ok)
        ShowFileError(FileErrorText(written.About(TFileOperation::Write, *path, "Cannot write")));
}

} // namespace kelto::gui
