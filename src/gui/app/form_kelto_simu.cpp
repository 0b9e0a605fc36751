// The main window's start-up, frame clock and speed test, drawing, and the
// buttons' handlers.
#include "gui/app/form_kelto_simu.h"

#include "core/board/palette.h"
#include "core/board/run_press.h"
#include "core/board/speed_test.h"
#include "core/files/program_file.h"
#include "gui/app/form_run_watch.h"
#include "gui/app/strings.h"
#include "gui/editor/flow_chart_view.h"
#include "gui/editor/nav_bar.h"
#include "gui/instruments/scope_form.h"
#include "gui/render/draw_object.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleHints>

#include <algorithm>
#include <cmath>

namespace kelto::gui {

namespace {

constexpr int kPerfTestMilliseconds = 2000;
constexpr int kBannerMargin = 10;
constexpr uint32_t kBannerColour = 0xFFFFEBAAu; // RGB 255, 235, 170
constexpr int kBannerFontPixels = 16;
constexpr int kRunWatchMilliseconds = 30;
constexpr int kReplayBarMilliseconds = 250;

} // namespace

TFormKeltoSimu::TFormKeltoSimu(IModalDialogs& dialogs, QSettings& settings, QWidget* parent)
    : QWidget(parent), FDialogs(dialogs), FSettings(settings),
      FDialogFolders(settings, ExampleFolders(QCoreApplication::applicationDirPath())),
      FRecordedRun(FBoard, "keltosimu " KELTO_VERSION)
{
    std::vector<std::string> examples;
    for (const QString& folder : FDialogFolders.Examples())
        examples.push_back(QFile::encodeName(folder).toStdString());
    FDocument.SetExampleFolders(std::move(examples));
    BuildLayout();
    ConnectHandlers();
    BuildShortcuts();
    FormCreate();
}

// The board's destructor clears the circuit; the canvas widget must stop
// listening before the canvas goes.
TFormKeltoSimu::~TFormKeltoSimu()
{
    GLCadencer1.SetEnabled(false);
    FBoard.SetLogListeners(nullptr, nullptr);
    delete PanelMain;
}

void TFormKeltoSimu::ConnectHandlers()
{
    connect(ButtonRUN, &QPushButton::clicked, this, &TFormKeltoSimu::ButtonRUNClick);
    connect(ButtonPAUSE, &QPushButton::clicked, this, [this] {
        FRecordedRun.PressPause();
        RefreshRunButtons();
    });
    connect(ButtonCONTINUE, &QPushButton::clicked, this, [this] {
        if (!MayDropLaterTicks())
            return;
        FRecordedRun.PressContinue();
        RefreshRunButtons();
    });
    connect(ButtonSTOP, &QPushButton::clicked, this, [this] {
        if (!MayDropLaterTicks())
            return;
        FRecordedRun.PressStop();
        RefreshRunButtons();
    });
    connect(ButtonStep, &QPushButton::clicked, this, [this] {
        const bool lookingBack = FRecordedRun.LookingBack();
        FRecordedRun.PressStep(EditorLines());
        if (lookingBack)
            ShowLookingBack();
        RefreshRunButtons();
    });
    connect(ButtonWatch, &QPushButton::clicked, this, &TFormKeltoSimu::ButtonWatchClick);
    connect(ButtonNew, &QPushButton::clicked, this, [this] { FDocument.ActionFileNewExecute(); });
    connect(ButtonOpen, &QPushButton::clicked, this, [this] { FDocument.ActionFileOpenExecute(); });
    connect(ButtonSave, &QPushButton::clicked, this, [this] { FDocument.ActionFileSaveExecute(); });
    connect(ButtonSaveAs, &QPushButton::clicked, this, [this] { FDocument.ActionFileSaveAsExecute(); });
    connect(ButtonExit, &QPushButton::clicked, this, &QWidget::close);
    connect(ButtonExportPicture, &QPushButton::clicked, this, &TFormKeltoSimu::ButtonExportPictureClick);
    connect(ButtonOpenBas, &QPushButton::clicked, this, [this] { FDocument.ButtonOpenBasClick(); });
    connect(ButtonSaveBas, &QPushButton::clicked, this, [this] { FDocument.ButtonSaveBasClick(); });
    connect(ButtonExample, &QPushButton::clicked, this, [this] {
        FDocument.ButtonExampleClick(QFile::encodeName(FDialogFolders.Examples().value(0)).toStdString());
    });
    connect(dxNavBar1, &TdxNavBar::ItemClicked, this, [this](int item) {
        if (const TSimuPart* part = FEditor.PlaceItem(item))
            dxFlowChart1->ShowObject(part->FBody);
    });
    connect(&TimerPerfTest, &QTimer::timeout, this, &TFormKeltoSimu::TimerPerfTestTimer);
    connect(&ClickTimer, &QTimer::timeout, this, [this] { FEditor.ClickTimerTimer(); });
    GLCadencer1.SetOnProgress(
        [this](double deltaTime, double /*newTime*/) { GLCadencer1Progress(deltaTime); });
    FBoard.SetLogListeners([this](std::string_view line) { AppendLogLine(line); },
                           [this] { MemoMessage->clear(); });
    dxFlowChart1->SetOnDrawObject([this](QPainter& painter, const TdxFcObject& object, const QRect& r) {
        DrawObject(painter, object, r);
    });
    dxFlowChart1->SetOnRepaint([this] { FFrameStats.CountRepaint(); });
}

// The banner and the speed test's bitmap need the canvas's size, so they are
// made when the window is first shown, before any frame is drawn.
void TFormKeltoSimu::FormCreate()
{
    FDocument.SetDocumentFileName({});
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    MemoMessage->clear();
    MemoEditor->clear();
    FPerfCounter.start();
    GLCadencer1.SetSleepLength(-1);
    TimerPerfTest.setSingleShot(true);
    TimerPerfTest.start(kPerfTestMilliseconds);
    FPerfFrameCount = 0;
    FPerfFramesPerSecond = 0.0f;
    FPerfStartCounter = 0;
    FShownRunButtons = FBoard.Basic().RunButtons();
    ButtonRUN->setEnabled(FShownRunButtons.Run);
    ButtonPAUSE->setEnabled(FShownRunButtons.Pause);
    ButtonCONTINUE->setEnabled(FShownRunButtons.Continue);
    ButtonSTOP->setEnabled(FShownRunButtons.Stop);
    ButtonStep->setEnabled(FShownRunButtons.Step);
    FRunWatchRefresh.SetInterval(kRunWatchMilliseconds);
    FReplayRefresh.SetInterval(kReplayBarMilliseconds);
    ButtonOpenBas->setText(main_strings::kButtonOpenBas);
    ButtonSaveBas->setText(main_strings::kButtonSaveBas);
    ClickTimer.stop();
    ClickTimer.setSingleShot(true);
    ClickTimer.setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    dxNavBar1->SetItemCaption(
        kAudioasItem,
        QString::fromUtf8(kAudioasCaption.data(), static_cast<qsizetype>(kAudioasCaption.size())));
    GLCadencer1.SetEnabled(true);
}

void TFormKeltoSimu::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FShownOnce)
        return;
    FShownOnce = true;
    if (SpeedTestRunning())
        CreateWelcomeBanner();
}

void TFormKeltoSimu::CreateWelcomeBanner()
{
    const QSize client = dxFlowChart1->viewport()->size();
    const QSize shown = dxFlowChart1->ShownCanvasSize();
    const int width = std::max(shown.width() - 2 * kBannerMargin, 0);
    const int height = std::max(shown.height() - 2 * kBannerMargin, 0);
    FWelcomeBanner = FBoard.Canvas().CreateObject(kBannerMargin, kBannerMargin, static_cast<uint16_t>(width),
                                                  static_cast<uint16_t>(height), 1);
    FWelcomeBanner->Color = kBannerColour;
    FWelcomeBanner->RaisedEdge = true;
    FWelcomeBanner->SetText(main_strings::kWelcomeBanner.toStdString());
    QFont bannerFont(main_strings::kWindowTypeface);
    bannerFont.setPixelSize(kBannerFontPixels);
    bannerFont.setBold(true);
    dxFlowChart1->SetObjectTextStyle(FWelcomeBanner, bannerFont, Qt::red);
    FPerfBitmap = QImage(client, QImage::Format_RGB888);
}

void TFormKeltoSimu::GLCadencer1Progress(double deltaTime)
{
    if (SpeedTestRunning()) {
        RunPerfTestFrame();
        return;
    }
    const int64_t tickLength = int64_t{std::max(GLCadencer1.SleepLength(), 1)} * 1'000'000;
    if (tickLength != FDueTicks.TickLength())
        FDueTicks.SetTickLength(tickLength);
    const int32_t due = FDueTicks.Take(std::llround(deltaTime * 1e9));
    const double tickSeconds = FDueTicks.TickSeconds();
    for (int32_t tick = 0; tick < due; ++tick) {
        FRecordedRun.Tick(tickSeconds);
        FFrameStats.CountTick();
    }
    RefreshRunButtons();
    GLCadencer1.SetLeastSleep(FShownRunButtons.Run ? kStillWakeMilliseconds : 0);
    if (!FShownRunButtons.Run) {
        FRunWatchRefresh.Changed();
        FReplayRefresh.Changed();
    }
    for (TScopeForm* window : FInstrumentWindows)
        if (window != nullptr)
            window->RefreshWhenDue();
}

void TFormKeltoSimu::RunPerfTestFrame()
{
    if (FPerfFrameCount == 0)
        FPerfStartCounter = FPerfCounter.nsecsElapsed();
    if (!FPerfBitmap.isNull())
        dxFlowChart1->viewport()->render(&FPerfBitmap);
    ++FPerfFrameCount;
    const int64_t elapsed = FPerfCounter.nsecsElapsed() - FPerfStartCounter;
    if (elapsed > 0)
        FPerfFramesPerSecond = MeasuredFramesPerSecond(FPerfFrameCount, 1'000'000'000, elapsed);
}

void TFormKeltoSimu::TimerPerfTestTimer()
{
    TimerPerfTest.stop();
    const TSpeedTestSettings settings = SpeedTestSettings(FPerfFramesPerSecond);
    GLCadencer1.SetSleepLength(settings.SleepLength);
    FBoard.SetMotorSpeedFactor(settings.MotorSpeedFactor);
    FPerfBitmap = QImage();
    RemoveWelcomeBanner();
}

void TFormKeltoSimu::RemoveWelcomeBanner()
{
    if (FWelcomeBanner == nullptr)
        return;
    FEditor.Mouse().ForgetObject(FWelcomeBanner);
    dxFlowChart1->ForgetObject(FWelcomeBanner);
    FBoard.Canvas().DeleteObject(FWelcomeBanner);
    FWelcomeBanner = nullptr;
    // Edits made under the banner hold object positions counting it.
    FEditHistory.clear();
}

// Parts draw themselves; other objects (the banner) get their text.
void TFormKeltoSimu::DrawObject(QPainter& painter, const TdxFcObject& object, const QRect& r)
{
    if (TSimuPart* part = FBoard.PartOfBody(&object))
        dxFlowChart1DrawObject(painter, FRenderKit, part, r);
    else
        dxFlowChart1->DrawObjectText(painter, object, r);
}

void TFormKeltoSimu::ButtonRUNClick()
{
    FRecordedRun.PressRun(EditorLines());
    RefreshRunButtons();
}

void TFormKeltoSimu::RefreshRunButtons()
{
    const TRunButtons buttons = FRecordedRun.Buttons();
    if (buttons == FShownRunButtons)
        return;
    FShownRunButtons = buttons;
    ButtonRUN->setEnabled(buttons.Run);
    ButtonPAUSE->setEnabled(buttons.Pause);
    ButtonCONTINUE->setEnabled(buttons.Continue);
    ButtonSTOP->setEnabled(buttons.Stop);
    ButtonStep->setEnabled(buttons.Step);
    // When a run ends, one last look clears the run line.
    if (buttons.Run)
        RefreshRunWatch();
    RefreshReplayPanel();
}

void TFormKeltoSimu::AppendLogLine(std::string_view line)
{
    MemoMessage->appendPlainText(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    MemoMessage->verticalScrollBar()->setValue(MemoMessage->verticalScrollBar()->maximum());
}

void TFormKeltoSimu::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized() && !FMinimized) {
        FMinimized = true;
        FRecordedRun.StopRecording();
        FBoard.ApplicationEvents1Minimize();
    } else if (!isMinimized() && FMinimized) {
        FMinimized = false;
        FBoard.ApplicationEvents1Restore();
    }
}

void TFormKeltoSimu::closeEvent(QCloseEvent* event)
{
    if (FDocument.FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TFormKeltoSimu::SetInstrumentWindow(TInstrument instrument, TScopeForm* window)
{
    if (instrument == TInstrument::None)
        return;
    FInstrumentWindows[static_cast<size_t>(instrument) - 1] = window;
    if (window != nullptr)
        RecordScopeButtons(instrument, *window);
}

} // namespace kelto::gui
