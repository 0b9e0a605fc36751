// TFormKeltoSimu, the main window: command buttons, palette, canvas, program
// editor and message log; the frame clock with its start-up speed test; the
// run buttons; and the host of the canvas handlers and document commands.
#pragma once

#include "core/board/board.h"
#include "core/board/document.h"
#include "core/board/due_ticks.h"
#include "core/replay/recorded_run.h"
#include "core/board/schematic_editor.h"
#include "gui/app/dialog_folders.h"
#include "gui/app/frame_stats_printer.h"
#include "gui/app/gl_cadencer.h"
#include "gui/render/render_kit.h"
#include "gui/render/ticked_refresh.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>

#include <array>

class QPlainTextEdit;
class QSettings;
class QPushButton;
class QSplitter;

namespace kelto::gui {

class IModalDialogs;
class TdxFlowChartView;
class TdxNavBar;
class TFormRunWatch;
class TProgramEditor;
class TScopeForm;
class TReplayPanel;
class TTaskPanel;

class TFormKeltoSimu final : public QWidget, private IEditorHost, private IDocumentHost {
    Q_OBJECT
public:
    // `settings` keeps what outlives a start (the file dialogs' last folder,
    // the editor's width).
    TFormKeltoSimu(IModalDialogs& dialogs, QSettings& settings, QWidget* parent = nullptr);
    ~TFormKeltoSimu() override;

    TSimuBoard& Board() { return FBoard; }
    TCircuitDocument& Document() { return FDocument; }
    // The windows ClickTimer opens, refreshed after every tick; none until
    // they are made.
    void SetInstrumentWindow(TInstrument instrument, TScopeForm* window);
    // The sound and clock a run uses; a recorded run asks them through its recording.
    void SetSoundDevices(const TSoundDevices& devices);
    // The start-up speed test is running and the banner covers the canvas.
    bool SpeedTestRunning() const { return TimerPerfTest.isActive(); }
    const TdxFcObject* WelcomeBanner() const { return FWelcomeBanner; }
    // Canvas edits that Ctrl+Z takes back, newest last.
    const QUndoStack& EditHistory() const { return FEditHistory; }

    // The layout, by the names the behaviour is described with.
    QWidget* PanelTop = nullptr;
    QWidget* PanelMain = nullptr;
    QWidget* PanelGL = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* PanelEdit = nullptr;
    QSplitter* Splitter2 = nullptr;
    TdxNavBar* dxNavBar1 = nullptr;
    TdxFlowChartView* dxFlowChart1 = nullptr;
    // The teacher's task and its checks, above the editor.
    TTaskPanel* PanelTask = nullptr;
    // The time line over the last run, along the window's foot.
    TReplayPanel* PanelReplay = nullptr;
    QPlainTextEdit* MemoEditor = nullptr;
    QPlainTextEdit* MemoMessage = nullptr;
    QPushButton* ButtonRUN = nullptr;
    QPushButton* ButtonPAUSE = nullptr;
    QPushButton* ButtonCONTINUE = nullptr;
    QPushButton* ButtonSTOP = nullptr;
    QPushButton* ButtonNew = nullptr;
    QPushButton* ButtonOpen = nullptr;
    QPushButton* ButtonSave = nullptr;
    QPushButton* ButtonSaveAs = nullptr;
    QPushButton* ButtonExit = nullptr;
    // The whole circuit as a picture file, for a lab report.
    QPushButton* ButtonExportPicture = nullptr;
    QPushButton* ButtonOpenBas = nullptr;
    QPushButton* ButtonSaveBas = nullptr;
    // The example lessons, in the free space right of the file buttons.
    QPushButton* ButtonExample = nullptr;
    // Learning aids beside the run buttons: one program step, and the
    // window with the variables.
    QPushButton* ButtonStep = nullptr;
    QPushButton* ButtonWatch = nullptr;
    // Undo and redo of canvas edits, for whoever does not know Ctrl+Z.
    QPushButton* ButtonUndo = nullptr;
    QPushButton* ButtonRedo = nullptr;
    TFormRunWatch* FormRunWatch = nullptr;

    TGLCadencer GLCadencer1;
    QTimer TimerPerfTest;
    QTimer ClickTimer;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void BuildButtons();
    void BuildPanels();
    void BuildTaskPanel();

    // Every run is recorded from the press that starts it to its end.
    void BuildReplayPanel();
    void RecordScopeButtons(TInstrument instrument, TScopeForm& window);
    bool MayDropLaterTicks();
    void ShowLookingBack();
    void RefreshReplayPanel();
    void SaveRecording();
    void OpenRecording();
    // The editor's width as the user last dragged it, kept across starts.
    void RestoreSplitter();
    void ConnectHandlers();
    void FormCreate();
    void CreateWelcomeBanner();
    // Runs the ticks due for the time since the last frame clock event.
    void GLCadencer1Progress(double deltaTime);
    void RunPerfTestFrame();
    void TimerPerfTestTimer();
    void RemoveWelcomeBanner();
    void DrawObject(QPainter& painter, const TdxFcObject& object, const QRect& r);
    void ButtonRUNClick();
    void RefreshRunButtons();
    void AppendLogLine(std::string_view line);
    void ButtonWatchClick();
    void ButtonExportPictureClick();
    void RefreshRunWatch();

    // The undo history and the keyboard.
    void BuildShortcuts();
    void CanvasEdited(TCanvasEdit edit);
    void UndoRedo(bool undo);
    void EditApplied();

    // IEditorHost
    void SetFrameClockEnabled(bool enabled) override;
    void RestartClickTimer() override;
    void StopClickTimer() override;
    TWireDialogAnswer ShowWireDialog(TLineStyle current) override;
    TModalResult ShowDeleteDialog(const std::string& partCaption) override;
    void ShowInstrumentWindow(TInstrument instrument) override;
    void HideInstrumentWindow(TInstrument instrument) override;

    // IDocumentHost
    enum class TFileKind : uint8_t { Circuit, Program };
    using TFileDialog = QString (IModalDialogs::*)(QWidget*, const QString&);
    std::optional<std::string> ChooseFile(TFileDialog dialog, TFileKind kind, TDialogUse use);
    TSaveAnswer AskSaveChanges(const std::string& text) override;
    std::optional<std::string> ChooseCircuitToOpen() override;
    std::optional<std::string> ChooseCircuitToSave() override;
    std::optional<std::string> ChooseProgramToOpen() override;
    std::optional<std::string> ChooseProgramToSave() override;
    std::optional<size_t> ChooseLesson(const std::vector<std::string>& titles) override;
    void ShowFileError(const std::string& message) override;
    void CaptionChanged(const std::string& caption) override;
    std::vector<std::string> EditorLines() override;
    void SetEditorLines(const std::vector<std::string>& lines) override;
    void CircuitReplaced() override;

    IModalDialogs& FDialogs;
    QSettings& FSettings;
    TDialogFolders FDialogFolders;
    TSimuBoard FBoard;
    TCircuitDocument FDocument{FBoard, *this};
    TSchematicEditor FEditor{FBoard, *this};
    TRenderKit FRenderKit;
    QUndoStack FEditHistory;
    TProgramEditor* FProgramEditor = nullptr;
    bool FWatchPlaced = false;

    QElapsedTimer FPerfCounter;
    int32_t FPerfFrameCount = 0;
    float FPerfFramesPerSecond = 0.0f;
    int64_t FPerfStartCounter = 0;
    QImage FPerfBitmap;
    TdxFcObject* FWelcomeBanner = nullptr;
    bool FShownOnce = false;
    bool FMinimized = false;
    TRunButtons FShownRunButtons;
    std::array<TScopeForm*, 2> FInstrumentWindows{};
    // The run line and the watch window follow a run at about the screen's
    // rate, however fast the frame clock ticks.
    TTickedRefresh FRunWatchRefresh{[this] { RefreshRunWatch(); }};
    // The replay bar's count follows a run calmly: repainting the bar at
    // the run line's rate cost a few percent of a core on a busy board.
    TTickedRefresh FReplayRefresh{[this] { RefreshReplayPanel(); }};
    TDueTicks FDueTicks;
    TRecordedRun FRecordedRun;
    TFrameStatsPrinter FFrameStats{[this] { return GLCadencer1.SleepLength(); }};
};

} // namespace kelto::gui
