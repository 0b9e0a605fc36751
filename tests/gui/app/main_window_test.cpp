// The main window on the offscreen platform: layout and captions, the
// start-up banner, mouse sequences on the canvas, the run buttons and log,
// the document commands with scripted answers, and the example lessons.
#include "gui/app/dialog_folders.h"
#include "gui/app/form_kelto_simu.h"
#include "gui/app/form_run_watch.h"
#include "gui/app/replay_panel.h"
#include "gui/app/strings.h"
#include "gui/editor/flow_chart_view.h"
#include "gui/editor/nav_bar.h"
#include "gui/editor/strings.h"
#include "gui/instruments/form_oscopes.h"
#include "gui/instruments/scope_plot.h"
#include "window_fixture.h"

#include "core/board/board_file.h"
#include "core/board/document_texts.h"
#include "core/board/guidance_texts.h"
#include "core/board/palette.h"
#include "core/files/program_file.h"
#include "core/instruments/scope_recorder.h"

#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace kelto;
using namespace kelto::gui;
using kelto::gui::testing::TWindowFixture;

namespace {

constexpr int kK0 = 15;
constexpr int kS1 = 4;
constexpr int kKeypad = 21;
constexpr int kLED0 = 7;
constexpr int kVCC = 12;
constexpr int kGND = 13;
constexpr int kMCU = 14;
constexpr int kScope = 24;

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList LogLines(const TFormKeltoSimu& form)
{
    QStringList lines = form.MemoMessage->toPlainText().split(QLatin1Char('\n'));
    if (lines.size() == 1 && lines.front().isEmpty())
        lines.clear();
    return lines;
}

// Paint events that reach a widget.
struct TPaintCounter final : QObject {
    explicit TPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        Count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int Count = 0;
};

} // namespace

class MainWindowTest : public QObject, protected TWindowFixture {
    Q_OBJECT
private:
    TSimuPart& Place(int item, int x = 0, int y = 0)
    {
        TSimuPart* part = Board().PlaceItem(item);
        Board().MovePartTo(part->FBody, x, y);
        return *part;
    }
    void Click(QPoint at) { QTest::mouseClick(Canvas(), Qt::LeftButton, {}, at); }
    void DoubleClick(QPoint at)
    {
        QTest::mouseClick(Canvas(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Canvas(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, at);
    }

private slots:
    void initTestCase() { InstallFontSubstitutions(); }

    void init()
    {
        OpenWindow();
        QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
    }

    void cleanup() { CloseWindow(); }

    void layoutHasItsGeometryAndCaptions()
    {
        // The replay bar along the foot adds its height; above it nothing moved.
        QCOMPARE(Form().size(), QSize(828, 589 + TReplayPanel::kHeight));
        QCOMPARE(Form().windowTitle(), FromUtf8(kApplicationTitle));
        QCOMPARE(Form().PanelTop->geometry(), QRect(0, 0, 828, 50));
        struct TButton {
            QPushButton* Button;
            int Left;
            int Width;
            QString Caption;
        };
        const TButton buttons[] = {
            {Form().ButtonRUN, 2, 46, "运行"},
            {Form().ButtonPAUSE, 49, 46, "暂停"},
            {Form().ButtonCONTINUE, 96, 46, "继续"},
            {Form().ButtonSTOP, 143, 46, "停止"},
            {Form().ButtonNew, 308, 46, "新建"},
            {Form().ButtonOpen, 355, 46, "打开"},
            {Form().ButtonSave, 402, 46, "保存"},
            {Form().ButtonSaveAs, 449, 46, "另存"},
            {Form().ButtonExit, 559, 46, "退出"},
            {Form().ButtonOpenBas, 627, 64, "打开\nKELTOBASIC"},
            {Form().ButtonSaveBas, 692, 64, "保存\nKELTOBASIC"},
        };
        for (const TButton& b : buttons) {
            QCOMPARE(b.Button->geometry(), QRect(b.Left, 2, b.Width, 46));
            QCOMPARE(b.Button->text(), b.Caption);
            // In the window's own font, and whole.
            QCOMPARE(b.Button->font().pixelSize(), Form().font().pixelSize());
            QVERIFY(b.Button->fontMetrics().boundingRect(QRect(0, 0, 500, 500), 0, b.Caption).width() <=
                    b.Width - 4);
        }
        // Every top panel button stays inside an 800 pixel wide window.
        for (const QPushButton* button : Form().PanelTop->findChildren<QPushButton*>())
            QVERIFY2(button->geometry().right() < 800, qPrintable(button->objectName()));
        QCOMPARE(Form().PanelGL->geometry(), QRect(0, 0, 620, 539));
        QCOMPARE(Form().dxNavBar1->geometry(), QRect(0, 0, 145, 539));
        QCOMPARE(Form().dxFlowChart1->geometry(), QRect(145, 0, 475, 539));
        QCOMPARE(Form().PanelReplay->geometry(), QRect(0, 539, 828, TReplayPanel::kHeight));
        QCOMPARE(Form().Splitter1->handleWidth(), 5);
        QCOMPARE(Form().PanelEdit->x(), 625);
        QCOMPARE(Form().PanelEdit->minimumWidth(), 128);
        QCOMPARE(Form().PanelGL->minimumWidth(), 128);
        QVERIFY(!Form().Splitter1->childrenCollapsible());
        QCOMPARE(Form().Splitter2->handleWidth(), 5);
        QCOMPARE(Form().MemoMessage->height(), 160);
        QCOMPARE(Form().MemoMessage->geometry().bottom(), Form().PanelEdit->height() - 1);
        QVERIFY(Form().MemoMessage->isReadOnly());
        QVERIFY(!Form().MemoEditor->isReadOnly());
        QCOMPARE(Form().MemoEditor->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(Form().MemoEditor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(Form().dxNavBar1->ItemCaption(26), QStringLiteral("单通道示波器"));
    }

    // A larger window is for a larger circuit: the canvas takes the room and
    // the editor keeps its width, unless the user drags the splitter, which
    // the next start remembers.
    void canvasTakesTheRoomOfALargerWindowAndTheSplitterIsRemembered()
    {
        Form().resize(1600, 1000);
        QTRY_COMPARE(Form().MemoMessage->height(), 160);
        QCOMPARE(Form().dxFlowChart1->width(), 1600 - 145 - 5 - 203);
        QCOMPARE(Form().PanelEdit->width(), 203);
        QCOMPARE(Form().dxNavBar1->width(), 145);

        QWidget* handle = Form().Splitter1->handle(1);
        const QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip - QPoint(100, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(100, 0));
        QCOMPARE(Form().PanelEdit->width(), 303);
        FForm = std::make_unique<TFormKeltoSimu>(*FDialogs, *FSettings);
        FForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
        QCOMPARE(Form().PanelEdit->width(), 303);
        QCOMPARE(Form().dxFlowChart1->width(), 828 - 145 - 5 - 303);
    }

    void everyCaptionHasGlyphsInTheSongFace()
    {
        QStringList texts;
        for (QPushButton* button : Form().PanelTop->findChildren<QPushButton*>())
            texts << button->text();
        for (int g = 0; g < Form().dxNavBar1->count(); ++g)
            texts << Form().dxNavBar1->itemText(g);
        for (const TPaletteItem& item : PaletteItems())
            texts << Form().dxNavBar1->ItemCaption(item.Item);
        texts << main_strings::kWelcomeBanner << main_strings::kAnswerYes << main_strings::kAnswerNo
              << main_strings::kAnswerCancel << editor_strings::kXianCaption << editor_strings::kXianGroup
              << editor_strings::kXianElbowHorizontal << editor_strings::kShanChuCaption
              << FromUtf8(kSavePromptUntitled) << FromUtf8(kApplicationTitle);
        for (const QFont& font : {Form().font(), Form().dxNavBar1->font(), Form().FormRunWatch->font()}) {
            QVERIFY2(QFontInfo(font).family().startsWith(QStringLiteral("AR PL UMing")),
                     qPrintable(QFontInfo(font).family()));
            const QFontMetrics metrics(font);
            for (const QString& text : texts)
                for (const char32_t c : text.toUcs4())
                    if (c > 0x20)
                        QVERIFY2(metrics.inFontUcs4(c), qPrintable(text));
        }
    }

    // The banner's text would lie over the circuit's pin labels.
    void circuitOpenedDuringTheSpeedTestShowsWithoutTheBanner()
    {
        QVERIFY(Form().SpeedTestRunning());
        const QString examples = ExampleFolders(QCoreApplication::applicationDirPath()).value(0);
        const QString circuit = examples + "/lesson06_lcd_8bit.dps";
        QVERIFY(Form().Document().OpenCircuitFile(QFile::encodeName(circuit).toStdString()));
        QVERIFY(Form().WelcomeBanner() == nullptr);
        QVERIFY(Form().SpeedTestRunning());
        const QImage shot = Form().dxFlowChart1->viewport()->grab().toImage();
        QCOMPARE(shot.pixelColor(12, 12), QColor(Qt::white));
    }

    void bannerCoversTheCanvasUntilTheSpeedTestEndsOnce()
    {
        QVERIFY(Form().SpeedTestRunning());
        const TdxFcObject* banner = Form().WelcomeBanner();
        QVERIFY(banner != nullptr);
        const QSize client = Form().dxFlowChart1->viewport()->size();
        QCOMPARE(banner->Bounds(), (TRect{10, 10, client.width() - 10, client.height() - 10}));
        const QImage shot = Form().dxFlowChart1->viewport()->grab().toImage();
        QCOMPARE(shot.pixelColor(40, 40), QColor(255, 235, 170));
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::white));

        Form().resize(1000, 700);
        QCOMPARE(Form().WelcomeBanner()->Bounds(), banner->Bounds());
        const int objectsBefore = Board().Canvas().ObjectCount();
        QTRY_VERIFY_WITH_TIMEOUT(!Form().SpeedTestRunning(), 5000);
        QVERIFY(Form().WelcomeBanner() == nullptr);
        QCOMPARE(Board().Canvas().ObjectCount(), objectsBefore - 1);
        QVERIFY(Form().GLCadencer1.SleepLength() >= 1 && Form().GLCadencer1.SleepLength() <= 10);
        QVERIFY(Board().MotorSpeedFactor() >= 60.0 && Board().MotorSpeedFactor() <= 300.0);
        QTest::qWait(50);
        QCOMPARE(Board().Canvas().ObjectCount(), objectsBefore - 1);

        // The banner gone, the empty canvas says what to do until a part comes.
        const auto middleHasText = [this] {
            const QImage shot = Canvas()->grab().toImage();
            const QRect middle(shot.width() / 2 - 60, shot.height() / 2 - 20, 120, 40);
            for (int y = middle.top(); y <= middle.bottom(); ++y)
                for (int x = middle.left(); x <= middle.right(); ++x)
                    if (shot.pixelColor(x, y) != QColor(Qt::white))
                        return true;
            return false;
        };
        QTRY_VERIFY(middleHasText());
        Place(kK0);
        QTRY_VERIFY(!middleHasText());
    }

    void paletteClickPlacesOnePartPerItem()
    {
        TdxNavBar& bar = *Form().dxNavBar1;
        QListWidget* list = bar.ListOfItem(kK0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, bar.ItemRect(kK0).center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, bar.ItemRect(kK0).center());
        QCOMPARE(Board().PartCount(), 1);
        QCOMPARE(Board().Part(0)->FName, std::string("K0"));
        QCOMPARE(Board().Slot(kK0), Board().Part(0));
    }

    void fourPixelsClickAToggleFivePixelsDragItWithTheClockStopped()
    {
        FinishSpeedTest();
        auto& toggle = static_cast<TSimuZhaDaoSwitch&>(Place(kK0));
        const QPoint at(50, 10);
        QTest::mousePress(Canvas(), Qt::LeftButton, {}, at);
        QTest::mouseMove(Canvas(), at + QPoint(4, 0));
        QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, at + QPoint(4, 0));
        QCOMPARE(toggle.FClosed, uint8_t{1});
        QCOMPARE(toggle.FBody->Left(), 0);

        QTest::mousePress(Canvas(), Qt::LeftButton, {}, at);
        QTest::mouseMove(Canvas(), at + QPoint(5, 0));
        QVERIFY(!Form().GLCadencer1.Enabled());
        QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, at + QPoint(5, 0));
        QVERIFY(Form().GLCadencer1.Enabled());
        QCOMPARE(toggle.FClosed, uint8_t{1});
        QCOMPARE(toggle.FBody->Left(), 5);
        QCOMPARE(toggle.Pin(0)->Left(), 15);
    }

    void wiringByClickingPins_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("wires");
        QTest::newRow("A then B") << "AB" << 1;
        QTest::newRow("A twice then B") << "AAB" << 1;
        QTest::newRow("A, empty canvas, B") << "AeB" << 0;
        QTest::newRow("B then A after A then B") << "ABBA" << 1;
    }

    void wiringByClickingPins()
    {
        QFETCH(QString, clicks);
        QFETCH(int, wires);
        FinishSpeedTest();
        TSimuPart& toggle = Place(kK0);
        TSimuPart& led = Place(kLED0, 250, 0);
        for (const QChar click : clicks)
            Click(click == 'A' ? PinPoint(toggle, 1) : click == 'B' ? PinPoint(led, 0) : QPoint(200, 400));
        QCOMPARE(Board().Canvas().ConnectionCount(), wires);
        if (wires == 1) {
            QCOMPARE(Board().Canvas().Connections(0)->SourceObject(), toggle.Pin(1));
            QCOMPARE(Board().Canvas().Connections(0)->TargetObject(), led.Pin(0));
        }
    }

    // The view's zoom scales what the canvas shows, never the canvas: a pin
    // clicked where it shows at 200% starts a wire; the wheel keeps the point
    // under the pointer; the keys step and reset; the next start remembers it.
    void zoomedCanvasTakesClicksWheelAndKeysAndIsRemembered()
    {
        FinishSpeedTest();
        TdxFlowChartView& view = *Form().dxFlowChart1;
        TSimuPart& toggle = Place(kK0, 10, 10);
        TSimuPart& led = Place(kLED0, 120, 10);
        view.SetZoomPercent(200);
        QCOMPARE(PinPoint(led, 0), 2 * QPoint(led.Pin(0)->Left(), led.Pin(0)->Top()));
        // Four screen pixels still tell a click from a drag.
        auto& lever = static_cast<TSimuZhaDaoSwitch&>(toggle);
        const QPoint onLever = view.ClientRect({60, 20, 61, 21}).topLeft();
        for (const int dx : {4, 6}) {
            QTest::mousePress(Canvas(), Qt::LeftButton, {}, onLever);
            QTest::mouseMove(Canvas(), onLever + QPoint(dx, 0));
            QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, onLever + QPoint(dx, 0));
        }
        QCOMPARE(lever.FClosed, uint8_t{1});
        QCOMPARE(toggle.FBody->Left(), 13);
        Board().MovePartTo(toggle.FBody, 10, 10);
        Click(PinPoint(toggle, 1));
        Click(PinPoint(led, 0));
        QCOMPARE(Board().Canvas().ConnectionCount(), 1);
        QCOMPARE(Board().Canvas().Connections(0)->SourceObject(), toggle.Pin(1));
        QCOMPARE(Board().Canvas().Connections(0)->TargetObject(), led.Pin(0));

        const QPoint pointer = PinPoint(led, 0);
        QWheelEvent notch(pointer, Canvas()->mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Canvas(), &notch);
        QCOMPARE(view.ZoomPercent(), 300);
        QVERIFY((PinPoint(led, 0) - pointer).manhattanLength() <= 1);

        QApplication::setActiveWindow(FForm.get());
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
        QTest::keyClick(FForm.get(), Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(FForm.get(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(view.ZoomPercent(), 150);
        QTest::keyClick(FForm.get(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(view.ZoomPercent(), 200);
        QTest::keyClick(FForm.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(view.ZoomPercent(), 100);
        QTest::keyClick(FForm.get(), Qt::Key_Minus, Qt::ControlModifier);

        FForm = std::make_unique<TFormKeltoSimu>(*FDialogs, *FSettings);
        QCOMPARE(Form().dxFlowChart1->ZoomPercent(), 80);
    }

    void pushButtonUnderAWireAndKeypadKeyReleasedElsewhere()
    {
        FinishSpeedTest();
        auto& s1 = static_cast<TSimuAnNiuSwitch&>(Place(kS1, 10, 0));
        TSimuPart& supply = Place(kVCC, 100, 300);
        TSimuPart& ground = Place(kGND, 300, 300);
        Board().MovePartTo(supply.FBody, -8, 0);  // pin at (10, 38)
        Board().MovePartTo(ground.FBody, 95, 28); // pin at (120, 38): the wire crosses S1
        Board().Canvas().CreateConnection(supply.Pin(0), ground.Pin(0));
        QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(40, 38));
        QCOMPARE(s1.FClosed, uint8_t{0});
        QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(40, 38));
        QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(40, 100));
        QCOMPARE(s1.Port(0)->FLevel, 0);
        QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(40, 100));
        QCOMPARE(s1.Port(0)->FLevel, 1);

        auto& keypad = static_cast<TSimuKeypad&>(Place(kKeypad, 0, 200));
        QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(80, 210));
        QCOMPARE(keypad.Key(0, 0), uint8_t{1});
        QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(84, 210));
        QCOMPARE(keypad.Key(0, 0), uint8_t{1});
    }

    // Real events through the window: the second press of a double-click
    // opens a modal dialog, and the button comes up while the dialog blocks
    // the window.
    void releaseDuringTheDeleteDialogStillReleasesTheButton()
    {
        FinishSpeedTest();
        auto& s1 = static_cast<TSimuAnNiuSwitch&>(Place(kS1, 10, 0));
        QWindow* window = Form().windowHandle();
        const QPointF local = Canvas()->mapTo(&Form(), QPoint(40, 100));
        const QPointF global = window->mapToGlobal(local.toPoint());
        QCursor::setPos(global.toPoint()); // the offscreen pointer does not follow the events
        int timestamp = 50'000'000;
        const auto send = [&](QEvent::Type type, Qt::MouseButtons state) {
            qt_handleMouseEvent(window, local, global, state, Qt::LeftButton, type, {}, timestamp += 10);
        };
        FDialogs->OnDeleteDialog = [&] {
            QDialog blocker(&Form());
            blocker.setWindowModality(Qt::ApplicationModal);
            blocker.show();
            send(QEvent::MouseButtonRelease, Qt::NoButton);
            QCOMPARE(s1.FClosed, uint8_t{0}); // held by the second press only after the dialog
            blocker.hide();
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        QCOMPARE(FDialogs->Asked, QStringList{"delete dialog"});
        QCOMPARE(s1.FClosed, uint8_t{0});
        QCOMPARE(s1.Port(0)->FLevel, 1);
        QCOMPARE(Board().PartCount(), 1);
    }

    void doubleClickOpensTheDeleteDialogAndCancelsTheScopeWindow()
    {
        FinishSpeedTest();
        Place(kScope);
        const QPoint body(60, 40);
        Click(body);
        QVERIFY(Form().ClickTimer.isActive());
        bool timerRanDuringDialog = true;
        FDialogs->OnDeleteDialog = [&] { timerRanDuringDialog = Form().ClickTimer.isActive(); };
        DoubleClick(body);
        QCOMPARE(FDialogs->Asked, QStringList{"delete dialog"});
        QVERIFY(!timerRanDuringDialog);
        QVERIFY(Form().ClickTimer.isActive()); // the kept probe's second release schedules it again

        FDialogs->DeleteAnswers = {TModalResult::mrNo};
        DoubleClick(body);
        QCOMPARE(Board().PartCount(), 0);
        QVERIFY(!Form().ClickTimer.isActive());
    }

    void probeClickOpensItsWindowAfterTheDoubleClickTimeAndDeletingItHidesIt()
    {
        FinishSpeedTest();
        TScopeRecorder recorder(8);
        TFormOScopes scopeWindow(recorder, *FDialogs);
        Form().SetInstrumentWindow(TInstrument::OScopes, &scopeWindow);
        Place(kScope);
        Click(QPoint(60, 40));
        QVERIFY(!scopeWindow.isVisible());
        QCOMPARE(Form().ClickTimer.interval(), QGuiApplication::styleHints()->mouseDoubleClickInterval());
        QTRY_VERIFY(scopeWindow.isVisible());
        FDialogs->DeleteAnswers = {TModalResult::mrNo};
        DoubleClick(QPoint(60, 40));
        QVERIFY(!scopeWindow.isVisible());
        Form().SetInstrumentWindow(TInstrument::OScopes, nullptr);
    }

    // The oscilloscope windows have no timer of their own: the frame clock's
    // ticks bring them up to the recording.
    void ticksKeepARecordingScopeWindowPainting()
    {
        FinishSpeedTest();
        Place(kScope);
        TFormOScopes scopeWindow(Board().OScopesRecorder(), *FDialogs);
        Form().SetInstrumentWindow(TInstrument::OScopes, &scopeWindow);
        scopeWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&scopeWindow));
        QTest::mouseClick(scopeWindow.ButtonRun, Qt::LeftButton);
        TPaintCounter paints(scopeWindow.Chart1);
        QTRY_VERIFY(paints.Count >= 3);
        Form().SetInstrumentWindow(TInstrument::OScopes, nullptr);
    }

    void doubleClickOnEmptyCanvasEditsTheSelectedWire()
    {
        FinishSpeedTest();
        TSimuPart& toggle = Place(kK0);
        TSimuPart& led = Place(kLED0, 250, 0);
        Board().Canvas().CreateConnection(toggle.Pin(1), led.Pin(0)); // (95,26) to (274,126)
        Click(QPoint(184, 76));
        QVERIFY(Board().Canvas().SelectedConnection() != nullptr);
        FDialogs->WireAnswers = {{TModalResult::mrNo, std::nullopt}};
        DoubleClick(QPoint(200, 400));
        QCOMPARE(FDialogs->Asked, QStringList{"wire dialog"});
        QCOMPARE(Board().Canvas().ConnectionCount(), 0);
        QCOMPARE(Board().PartCount(), 2);
    }

    void runButtonsFollowTheRunStateAndTheLogScrollsOn()
    {
        FinishSpeedTest();
        Form().MemoMessage->setPlainText(QStringLiteral("earlier"));
        Form().MemoEditor->setPlainText(QStringLiteral("0 REM \"KELTOBASIC\"\n10 REM \"PRINT -5\"\n"
                                                       "20 REM \"WAIT 30000\"\n"));
        QTest::mouseClick(Form().ButtonRUN, Qt::LeftButton); // no microcontroller: only why
        QCOMPARE(LogLines(Form()), (QStringList{"earlier", FromUtf8(kRunNeedsMcu)}));

        Place(kMCU, 300, 0);
        const auto buttons = [this] {
            return QString("%1%2%3%4")
                .arg(Form().ButtonRUN->isEnabled())
                .arg(Form().ButtonPAUSE->isEnabled())
                .arg(Form().ButtonCONTINUE->isEnabled())
                .arg(Form().ButtonSTOP->isEnabled());
        };
        QCOMPARE(buttons(), QStringLiteral("1000"));
        QTest::mouseClick(Form().ButtonRUN, Qt::LeftButton);
        QCOMPARE(buttons(), QStringLiteral("0101"));
        QTRY_COMPARE(LogLines(Form()), (QStringList{"开始", "> -5 <"}));
        QTest::mouseClick(Form().ButtonPAUSE, Qt::LeftButton);
        QCOMPARE(buttons(), QStringLiteral("0011"));
        QTest::mouseClick(Form().ButtonCONTINUE, Qt::LeftButton);
        QCOMPARE(buttons(), QStringLiteral("0101"));
        QTest::mouseClick(Form().ButtonSTOP, Qt::LeftButton);
        QCOMPARE(buttons(), QStringLiteral("0000"));
        QTRY_COMPARE(buttons(), QStringLiteral("1000"));
        QCOMPARE(LogLines(Form()), (QStringList{"开始", "> -5 <", "结束"}));
        QScrollBar* bar = Form().MemoMessage->verticalScrollBar();
        QCOMPARE(bar->value(), bar->maximum());
    }

    // A program lighting an LED on and off as fast as the frame clock goes
    // repaints the canvas once per screen refresh at most; when it stops,
    // the still circuit repaints nothing.
    void canvasRepaintsAtTheScreenRateWhileRunningAndNotAtAllWhenStill()
    {
        FinishSpeedTest();
        Form().GLCadencer1.SetSleepLength(0);
        TSimuPart& mcu = Place(kMCU, 300, 0);
        TSimuPart& led = Place(kLED0, 20, 20);
        constexpr int kPB0 = 13;
        Board().Canvas().CreateConnection(mcu.Pin(kPB0), led.Pin(0));
        Form().MemoEditor->setPlainText(QStringLiteral("0 REM \"KELTOBASIC\"\n10 REM \"DDRB 255\"\n"
                                                       "20 REM \"PORTB 1\"\n30 REM \"PORTB 0\"\n"
                                                       "40 REM \"GOTO 20\"\n"));
        TPaintCounter paints(Canvas());
        QTest::mouseClick(Form().ButtonRUN, Qt::LeftButton);
        QTest::qWait(50);
        paints.Count = 0;
        QElapsedTimer running;
        running.start();
        const uint8_t litBefore = static_cast<TSimuLEDA&>(led).FLit;
        int changes = 0;
        for (uint8_t lit = litBefore; running.elapsed() < 400; QCoreApplication::processEvents())
            if (static_cast<TSimuLEDA&>(led).FLit != lit) {
                lit = static_cast<TSimuLEDA&>(led).FLit;
                ++changes;
            }
        const double interval = 1000.0 / Canvas()->screen()->refreshRate();
        const int allowed = 2 + static_cast<int>(static_cast<double>(running.elapsed()) / interval);
        QVERIFY2(changes > 2 * allowed, qPrintable(QStringLiteral("the LED changed %1 times").arg(changes)));
        QVERIFY2(paints.Count <= allowed, qPrintable(QStringLiteral("%1 paints").arg(paints.Count)));
        QVERIFY(paints.Count > 0);

        QTest::mouseClick(Form().ButtonSTOP, Qt::LeftButton);
        QTest::qWait(100);
        paints.Count = 0;
        QTest::qWait(300);
        QCOMPARE(paints.Count, 0);
    }

    // Two displays far apart change in one tick: the partial repaint must
    // leave on screen what a full repaint draws.
    void changesFarApartRepaintAsAFullPaintDraws()
    {
        FinishSpeedTest();
        TSimuPart& mcu = Place(kMCU, 300, 0);
        TSimuPart& near = Place(kLED0, 20, 20);
        TSimuPart& far = Place(kLED0 + 1, 20, 440);
        constexpr int kPB0 = 13;
        Board().Canvas().CreateConnection(mcu.Pin(kPB0), near.Pin(0));
        Board().Canvas().CreateConnection(mcu.Pin(kPB0 + 1), far.Pin(0));
        Form().MemoEditor->setPlainText(QStringLiteral("0 REM \"KELTOBASIC\"\n10 REM \"DDRB 255\"\n"
                                                       "20 REM \"PORTB 3\"\n30 REM \"END\"\n"));
        QTest::qWait(100);
        TPaintCounter paints(Canvas());
        QTest::mouseClick(Form().ButtonRUN, Qt::LeftButton);
        QTRY_VERIFY(Form().ButtonRUN->isEnabled());
        QTRY_VERIFY(paints.Count > 0);
        QTest::qWait(100);
        QWidget* viewport = Canvas();
        const QPoint at = viewport->mapTo(&Form(), QPoint(0, 0));
        const QImage shown = Form()
                                 .screen()
                                 ->grabWindow(Form().winId(), at.x(), at.y(), viewport->width(), viewport->height())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const QImage full = viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), full.size());
        // A diagonal wire drawn through a small clip may land a pixel or two
        // off; a part left out would differ by hundreds.
        int differing = 0;
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < full.width(); ++x)
                differing += shown.pixel(x, y) != full.pixel(x, y) ? 1 : 0;
        QVERIFY2(differing <= 8, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
    }

    void minimisingFreezesTheInterpreter()
    {
        Form().showMinimized();
        QTRY_VERIFY(Board().Minimized());
        Form().showNormal();
        QTRY_VERIFY(!Board().Minimized());
    }

    void newAsksAboutAnUntitledCircuitAndCancelKeepsIt()
    {
        Place(kK0);
        QTest::mouseClick(Form().ButtonNew, Qt::LeftButton);
        QCOMPARE(FDialogs->Asked, QStringList{"prompt " + FromUtf8(kSavePromptUntitled)});
        QCOMPARE(Board().PartCount(), 1);
    }

    void saveAsNewOpenRoundTripLeavesTheCircuitUnmodified()
    {
        FinishSpeedTest();
        TSimuPart& toggle = Place(kK0, 20, 30);
        TSimuPart& led = Place(kLED0, 250, 0);
        Board().Canvas().CreateConnection(toggle.Pin(1), led.Pin(0));
        FDialogs->SaveCircuits = {PathOf("lesson.dps")};
        QTest::mouseClick(Form().ButtonSaveAs, Qt::LeftButton);
        QCOMPARE(Form().windowTitle(), FromUtf8(kApplicationTitle) + " - lesson.dps");

        QTest::mouseClick(Form().ButtonNew, Qt::LeftButton);
        QCOMPARE(Board().PartCount(), 0);
        QCOMPARE(Form().windowTitle(), FromUtf8(kApplicationTitle));

        Form().MemoEditor->setPlainText(QStringLiteral("0 REM \"KELTOBASIC\""));
        FDialogs->OpenCircuits = {PathOf("lesson.dps")};
        FDialogs->SaveAnswers = {TSaveAnswer::No};
        QTest::mouseClick(Form().ButtonOpen, Qt::LeftButton);
        QCOMPARE(Board().PartCount(), 2);
        QCOMPARE(Board().Canvas().ConnectionCount(), 1);
        QCOMPARE(Board().Part(0)->FBody->Left(), 20);
        QVERIFY(Form().MemoEditor->toPlainText().isEmpty());
        QVERIFY(!Form().Document().IsCircuitModified());
        QCOMPARE(FDialogs->Asked,
                 (QStringList{"save dps", "prompt " + FromUtf8(kProgramPromptUntitled), "open dps"}));

        // Dragging a part changes the document: New now names the file.
        const QPoint at(60, 40);
        QTest::mousePress(Canvas(), Qt::LeftButton, {}, at);
        QTest::mouseMove(Canvas(), at + QPoint(10, 0));
        QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, at + QPoint(10, 0));
        QTest::mouseClick(Form().ButtonNew, Qt::LeftButton);
        const QString named =
            FromUtf8(kSavePromptNamedBefore) + PathOf("lesson.dps") + FromUtf8(kSavePromptNamedAfter);
        QCOMPARE(FDialogs->Asked.back(), "prompt " + named);
    }

    void unwritableFileIsReportedAndChangesNothing()
    {
        Place(kK0);
        FDialogs->SaveCircuits = {PathOf("missing/lesson.dps")};
        QTest::mouseClick(Form().ButtonSave, Qt::LeftButton);
        QCOMPARE(FDialogs->Asked.size(), 2);
        QCOMPARE(FDialogs->Asked.back(),
                 "error 无法保存文件 " + PathOf("missing/lesson.dps") + "：没有那个文件或目录");
        QCOMPARE(Form().windowTitle(), FromUtf8(kApplicationTitle));
        QCOMPARE(Board().PartCount(), 1);
    }

    // The whole circuit, even the part scrolled out of sight, in each
    // format; an unwritable name gets the error box and leaves nothing.
    void exportPictureWritesTheChosenFormatOrReportsWhyNot()
    {
        Place(kK0);
        Board().MovePartTo(Board().Part(0)->FBody, 3000, 2000);
        using look::TPictureFormat;
        FDialogs->SavePictures = {PathOf("board.svg"), PathOf("board.png"), PathOf("print.pdf"),
                                  PathOf("missing/board.png")};
        FDialogs->PictureChoices = {{TPictureFormat::Svg, 1, false},
                                    {TPictureFormat::Png, 2, false},
                                    {TPictureFormat::Pdf, 1, true},
                                    {TPictureFormat::Png, 1, false}};
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(Form().ButtonExportPicture, Qt::LeftButton);
        QFile svg(PathOf("board.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray text = svg.readAll();
        QVERIFY(text.contains("viewBox=\"2980 1980 "));
        const QImage png(PathOf("board.png"));
        QCOMPARE(png.width(), 2 * (Board().Part(0)->FWidth + 40));
        QFile pdf(PathOf("print.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(4) == "%PDF");
        QCOMPARE(FDialogs->Asked.back(),
                 "error 无法保存文件 " + PathOf("missing/board.png") + "：没有那个文件或目录");
        QVERIFY(!QFile::exists(PathOf("missing")));
    }

    void closingAsksAndCancelKeepsTheWindowOpen()
    {
        Place(kK0);
        Form().MemoEditor->setPlainText(QStringLiteral("10 REM \"END\""));
        FDialogs->SaveAnswers = {TSaveAnswer::Cancel, TSaveAnswer::No, TSaveAnswer::No};
        Form().close();
        QVERIFY(Form().isVisible());
        QCOMPARE(Board().PartCount(), 1);
        QCOMPARE(Form().MemoEditor->toPlainText(), QStringLiteral("10 REM \"END\""));
        QTest::mouseClick(Form().ButtonExit, Qt::LeftButton);
        QVERIFY(!Form().isVisible());
        QCOMPARE(Board().PartCount(), 0);
    }

    void programTextButtonsWriteAndReadGbkLines()
    {
        Form().MemoEditor->setPlainText(QStringLiteral("0 REM \"KELTOBASIC\"\n10 REM \"PRINT 1\" 中\n"));
        FDialogs->SavePrograms = {PathOf("p.txt")};
        QTest::mouseClick(Form().ButtonSaveBas, Qt::LeftButton);
        QFile file(PathOf("p.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("0 REM \"KELTOBASIC\"\r\n10 REM \"PRINT 1\" \xD6\xD0\r\n"));

        Place(kK0);
        Form().MemoEditor->clear();
        FDialogs->OpenPrograms = {PathOf("p.txt")};
        QTest::mouseClick(Form().ButtonOpenBas, Qt::LeftButton);
        QCOMPARE(Form().MemoEditor->toPlainText(),
                 QStringLiteral("0 REM \"KELTOBASIC\"\n10 REM \"PRINT 1\" 中"));
        QCOMPARE(Board().PartCount(), 1);
    }

    void typedProgramIsAskedAboutBeforeNewOrClosingDiscardsIt()
    {
        Form().MemoEditor->setFocus();
        QTest::keyClicks(Form().MemoEditor, QStringLiteral("10 PRINT \"HI\""));
        const QString untitled = "prompt " + FromUtf8(kProgramPromptUntitled);

        FDialogs->SaveAnswers = {TSaveAnswer::Cancel};
        QTest::mouseClick(Form().ButtonNew, Qt::LeftButton);
        QCOMPARE(FDialogs->Asked, QStringList{untitled});
        QCOMPARE(Form().MemoEditor->toPlainText(), QStringLiteral("10 PRINT \"HI\""));

        FDialogs->SaveAnswers = {TSaveAnswer::Yes};
        FDialogs->SavePrograms = {PathOf("first.txt")};
        QTest::mouseClick(Form().ButtonNew, Qt::LeftButton);
        QVERIFY(Form().MemoEditor->toPlainText().isEmpty());
        QFile saved(PathOf("first.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("10 PRINT \"HI\"\r\n"));

        // Both changed: the circuit is asked about first, then the program
        // by its file's name; Cancel on the program keeps the window open.
        FDialogs->OpenPrograms = {PathOf("first.txt")};
        QTest::mouseClick(Form().ButtonOpenBas, Qt::LeftButton);
        Place(kK0);
        QTest::keyClick(Form().MemoEditor, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(Form().MemoEditor, Qt::Key_Return);
        QTest::keyClicks(Form().MemoEditor, QStringLiteral("20 END"));
        FDialogs->Asked.clear();
        FDialogs->SaveAnswers = {TSaveAnswer::No, TSaveAnswer::Cancel};
        Form().close();
        QVERIFY(Form().isVisible());
        const QString named =
            FromUtf8(kProgramPromptNamedBefore) + PathOf("first.txt") + FromUtf8(kSavePromptNamedAfter);
        QCOMPARE(FDialogs->Asked,
                 (QStringList{"prompt " + FromUtf8(kSavePromptUntitled), "prompt " + named}));
        FDialogs->SaveAnswers = {TSaveAnswer::No, TSaveAnswer::Yes};
        QTest::mouseClick(Form().ButtonExit, Qt::LeftButton);
        QVERIFY(!Form().isVisible());
        saved.close(); // the save replaced the file
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("10 PRINT \"HI\"\r\n20 END\r\n"));
    }

    void fileDialogsStartBesideTheFilesElseTheLastFolderElseHome()
    {
        const QString examples = ExampleFolders(QCoreApplication::applicationDirPath()).value(0);
        QVERIFY2(QFile::exists(examples + "/mcu_led.dps"), qPrintable(examples));
        QVERIFY(!examples.startsWith(QCoreApplication::applicationDirPath()));
        QDir(FDir->path()).mkpath("lessons");
        QDir(FDir->path()).mkpath("programs");

        Place(kK0);
        FDialogs->SaveCircuits = {PathOf("lessons/a.dps")};
        QTest::mouseClick(Form().ButtonSave, Qt::LeftButton);
        QTest::mouseClick(Form().ButtonOpenBas, Qt::LeftButton); // beside the circuit
        FDialogs->SavePrograms = {PathOf("programs/p.txt")};
        QTest::mouseClick(Form().ButtonSaveBas, Qt::LeftButton); // still beside the circuit
        QTest::mouseClick(Form().ButtonOpenBas, Qt::LeftButton); // beside the program now
        QTest::mouseClick(Form().ButtonSaveAs, Qt::LeftButton);  // beside the circuit
        QCOMPARE(FDialogs->StartFolders, (QStringList{QDir::homePath(), PathOf("lessons"), PathOf("lessons"),
                                                      PathOf("programs"), PathOf("lessons")}));

        // A new start, with no file open, goes back to the folder chosen last.
        FForm.reset();
        FDialogs = std::make_unique<testing::TScriptedDialogs>();
        FForm = std::make_unique<TFormKeltoSimu>(*FDialogs, *FSettings);
        QTest::mouseClick(Form().ButtonOpen, Qt::LeftButton);
        QCOMPARE(FDialogs->StartFolders, QStringList{PathOf("programs")});
    }

    void topPanelButtonsLieSideBySideWithoutOverlapping()
    {
        const QList<QPushButton*> buttons = Form().PanelTop->findChildren<QPushButton*>();
        QVERIFY(buttons.contains(Form().ButtonExample));
        QCOMPARE(Form().ButtonExample->text(), QStringLiteral("示例"));
        for (QPushButton* a : buttons) {
            QVERIFY2(Form().PanelTop->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QPushButton* b : buttons)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " overlaps " + b->objectName()));
        }
    }

    void exampleButtonAsksThenOpensTheChosenLessonsCircuitAndProgram()
    {
        const QString examples = ExampleFolders(QCoreApplication::applicationDirPath()).value(0);
        const std::string circuitPath = QFile::encodeName(examples + "/lesson01_blink.dps").toStdString();
        const std::string programPath = QFile::encodeName(examples + "/lesson01_blink.txt").toStdString();
        TSimuBoard lesson;
        QVERIFY(LoadCircuitFile(lesson, circuitPath).Ok);
        std::vector<std::string> program;
        QVERIFY(LoadProgramFile(programPath, program).Ok);
        QStringList programText;
        for (const std::string& line : program)
            programText << QString::fromStdString(line);

        Place(kK0);
        Form().MemoEditor->setPlainText(QStringLiteral("10 PRINT \"MINE\""));
        FDialogs->SaveAnswers = {TSaveAnswer::No, TSaveAnswer::No};
        FDialogs->LessonChoices = {0};
        QTest::mouseClick(Form().ButtonExample, Qt::LeftButton);

        QCOMPARE(FDialogs->Asked.size(), 3);
        QCOMPARE(FDialogs->Asked[0], "prompt " + FromUtf8(kSavePromptUntitled));
        QCOMPARE(FDialogs->Asked[1], "prompt " + FromUtf8(kProgramPromptUntitled));
        QVERIFY2(FDialogs->Asked[2].startsWith(QStringLiteral("lessons 第1课 闪烁的发光二极管|第2课 ")),
                 qPrintable(FDialogs->Asked[2]));
        QCOMPARE(WriteCircuitDocument(Board()), WriteCircuitDocument(lesson));
        QCOMPARE(Board().Canvas().ConnectionCount(), lesson.Canvas().ConnectionCount());
        QVERIFY(Board().Canvas().ConnectionCount() > 0);
        QCOMPARE(Form().MemoEditor->toPlainText(), programText.join(QLatin1Char('\n')));
        QCOMPARE(Form().windowTitle(),
                 FromUtf8(kApplicationTitle) + " - 第1课 闪烁的发光二极管" + FromUtf8(kExampleCopySuffix));
        QCOMPARE(LogLines(Form()), QStringList{FromUtf8(kPairedProgram) + "lesson01_blink.txt"});
        QVERIFY(!Form().Document().IsCircuitModified());
        QVERIFY(!Form().Document().IsProgramModified());
    }

    // A lesson opens as a copy: New and closing with 是 ask where to save,
    // in the student's folders, and the lesson's files stay as shipped.
    void lessonIsNeverWrittenOverByNewOrClosing()
    {
        const QString examples = ExampleFolders(QCoreApplication::applicationDirPath()).value(0);
        QStringList lessonFiles{examples + "/lesson01_blink.dps", examples + "/lesson01_blink.txt"};
        QList<QByteArray> shipped;
        for (const QString& file : lessonFiles) {
            QFile lesson(file);
            QVERIFY(lesson.open(QIODevice::ReadOnly));
            shipped << lesson.readAll();
        }
        const auto openAndEditTheLesson = [this] {
            FDialogs->LessonChoices = {0};
            QTest::mouseClick(Form().ButtonExample, Qt::LeftButton);
            QVERIFY(Form().Document().FileName().empty());
            Board().MovePartTo(Board().Part(0)->FBody, 40, 40);
            Form().MemoEditor->appendPlainText(QStringLiteral("999 REM \"END\""));
            FDialogs->Asked.clear();
            FDialogs->StartFolders.clear();
            FDialogs->SaveAnswers = {TSaveAnswer::Yes, TSaveAnswer::Yes};
        };
        const QStringList asked{"prompt " + FromUtf8(kSavePromptUntitled), "save dps",
                                "prompt " + FromUtf8(kProgramPromptUntitled), "save txt"};

        openAndEditTheLesson();
        FDialogs->SaveCircuits = {PathOf("mine.dps")};
        FDialogs->SavePrograms = {PathOf("mine.txt")};
        QTest::mouseClick(Form().ButtonNew, Qt::LeftButton);
        QCOMPARE(FDialogs->Asked, asked);
        QCOMPARE(FDialogs->StartFolders, (QStringList{QDir::homePath(), FDir->path()}));
        QVERIFY(QFile::exists(PathOf("mine.dps")) && QFile::exists(PathOf("mine.txt")));
        QCOMPARE(Board().PartCount(), 0);

        openAndEditTheLesson();
        FDialogs->SaveCircuits = {PathOf("closing.dps")};
        FDialogs->SavePrograms = {PathOf("closing.txt")};
        Form().close();
        QVERIFY(!Form().isVisible());
        QCOMPARE(FDialogs->Asked, asked);
        QCOMPARE(FDialogs->StartFolders, (QStringList{FDir->path(), FDir->path()}));
        for (int i = 0; i < lessonFiles.size(); ++i) {
            QFile lesson(lessonFiles[i]);
            QVERIFY(lesson.open(QIODevice::ReadOnly));
            QCOMPARE(lesson.readAll(), shipped[i]);
        }
    }

    void exampleCancelledAtTheSaveQuestionChangesNothing()
    {
        FDialogs->SavePrograms = {PathOf("mine.txt")};
        Form().MemoEditor->setPlainText(QStringLiteral("10 PRINT \"MINE\""));
        QTest::mouseClick(Form().ButtonSaveBas, Qt::LeftButton);
        Place(kK0, 20, 30);
        Form().MemoEditor->appendPlainText(QStringLiteral("20 END"));
        const std::string circuit = WriteCircuitDocument(Board());
        const QString title = Form().windowTitle();
        const QString circuitQuestion = "prompt " + FromUtf8(kSavePromptUntitled);
        const QString programQuestion = "prompt " + FromUtf8(kProgramPromptNamedBefore) + PathOf("mine.txt") +
                                        FromUtf8(kSavePromptNamedAfter);
        FDialogs->Asked.clear();
        FDialogs->SaveAnswers = {TSaveAnswer::No, TSaveAnswer::Cancel};
        FDialogs->LessonChoices = {0, 0};
        QTest::mouseClick(Form().ButtonExample, Qt::LeftButton);
        QCOMPARE(FDialogs->Asked, (QStringList{circuitQuestion, programQuestion}));
        FDialogs->Asked.clear();
        FDialogs->SaveAnswers = {TSaveAnswer::Cancel};
        QTest::mouseClick(Form().ButtonExample, Qt::LeftButton);
        QCOMPARE(FDialogs->Asked, QStringList{circuitQuestion});
        QCOMPARE(WriteCircuitDocument(Board()), circuit);
        QCOMPARE(Form().MemoEditor->toPlainText(), QStringLiteral("10 PRINT \"MINE\"\n20 END"));
        QCOMPARE(Form().windowTitle(), title);
        QCOMPARE(Form().Document().ProgramFileName(), QFile::encodeName(PathOf("mine.txt")).toStdString());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
