// The main window's learning aids on the offscreen platform: undo and redo of
// canvas edits through the keyboard, the file shortcuts, and stepping a
// paused program with its line and variables in view.
#include "gui/app/form_kelto_simu.h"
#include "gui/app/form_run_watch.h"
#include "gui/app/strings.h"
#include "gui/app/task_panel.h"
#include "gui/editor/flow_chart_view.h"
#include "gui/editor/nav_bar.h"
#include "gui/editor/program_editor.h"
#include "window_fixture.h"

#include "core/basic/run_snapshot.h"
#include "core/board/board_file.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <functional>
#include <map>
#include <memory>

using namespace kelto;
using namespace kelto::gui;
using kelto::gui::testing::TWindowFixture;

namespace {

constexpr int kK0 = 15;
constexpr int kLED0 = 7;
constexpr int kMCU = 14;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class LearningAidsTest : public QObject, protected TWindowFixture {
    Q_OBJECT
private:
    std::string Written() { return WriteCircuitDocument(Board()); }

    void ClickPalette(int item)
    {
        TdxNavBar& bar = *Form().dxNavBar1;
        QTest::mouseClick(bar.ListOfItem(item)->viewport(), Qt::LeftButton, {}, bar.ItemRect(item).center());
    }
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &Form(), key, modifiers);
    }
    // A toggle at (0, 0) and an LED to its right, placed from the palette.
    void PlaceToggleAndLed()
    {
        ClickPalette(kK0);
        ClickPalette(kLED0);
        Board().MovePartTo(Board().Part(1)->FBody, 250, 0);
    }
    void WireToggleToLed()
    {
        QTest::mouseClick(Canvas(), Qt::LeftButton, {}, PinPoint(*Board().Part(0), 1));
        QTest::mouseClick(Canvas(), Qt::LeftButton, {}, PinPoint(*Board().Part(1), 0));
    }
    bool StepEnabled() { return Form().ButtonStep->isEnabled(); }

private slots:
    void init()
    {
        OpenWindow();
        FForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
        FForm->dxFlowChart1->setFocus();
    }

    void cleanup() { CloseWindow(); }

    void undoAndRedoRoundTripEachCanvasEdit_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::newRow("place from the palette") << "place";
        QTest::newRow("wire two pins") << "wire";
        QTest::newRow("drag a part") << "move";
        QTest::newRow("delete a part with its wire") << "delete";
    }

    void undoAndRedoRoundTripEachCanvasEdit()
    {
        QFETCH(QString, edit);
        FinishSpeedTest();
        PlaceToggleAndLed();
        if (edit != "wire")
            WireToggleToLed();
        FDialogs->SaveCircuits = {PathOf("before.dps")};
        QTest::mouseClick(Form().ButtonSaveAs, Qt::LeftButton);
        const std::string before = Written();
        const int historyBefore = Form().EditHistory().count();

        const std::map<QString, std::function<void()>> edits{
            {"place", [this] { ClickPalette(kMCU); }},
            {"wire", [this] { WireToggleToLed(); }},
            {"move",
             [this] {
                 QTest::mousePress(Canvas(), Qt::LeftButton, {}, {50, 10});
                 QTest::mouseMove(Canvas(), {90, 70});
                 QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, {90, 70});
             }},
            {"delete",
             [this] {
                 FDialogs->DeleteAnswers = {TModalResult::mrNo};
                 const QPoint at(50, 10);
                 QTest::mouseClick(Canvas(), Qt::LeftButton, {}, at);
                 QTest::mouseDClick(Canvas(), Qt::LeftButton, {}, at);
                 QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, at);
             }},
        };
        edits.at(edit)();
        const std::string after = Written();
        QVERIFY(after != before);
        QCOMPARE(Form().EditHistory().count(), historyBefore + 1);
        QVERIFY(Form().Document().IsCircuitModified());

        Keys(Qt::Key_Z);
        QCOMPARE(Written(), before);
        QVERIFY(!Form().Document().IsCircuitModified());
        FDialogs->SaveCircuits = {PathOf("undone.dps")};
        QTest::mouseClick(Form().ButtonSaveAs, Qt::LeftButton);
        QCOMPARE(ReadAll(PathOf("undone.dps")), ReadAll(PathOf("before.dps")));

        Keys(Qt::Key_Y);
        QCOMPARE(Written(), after);
        QVERIFY(Form().Document().IsCircuitModified());
        Keys(Qt::Key_Z);
        Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Written(), after);
    }

    // The editor's own Ctrl+Z takes back typing, not the canvas.
    void undoInTheProgramEditorUndoesText()
    {
        ClickPalette(kK0);
        Form().MemoEditor->setFocus();
        QTest::keyClicks(Form().MemoEditor, QStringLiteral("10"));
        Keys(Qt::Key_Z);
        QVERIFY(Form().MemoEditor->toPlainText().isEmpty());
        QCOMPARE(Board().PartCount(), 1);
    }

    // Records name list positions, so anything that renumbers the lists
    // without an edit drops them.
    void historyIsDroppedWhenTheBannerGoesAndOnNewAndOpen()
    {
        ClickPalette(kK0); // under the banner
        QCOMPARE(Form().EditHistory().count(), 1);
        FinishSpeedTest();
        QCOMPARE(Form().EditHistory().count(), 0);

        ClickPalette(kLED0);
        FDialogs->SaveCircuits = {PathOf("two.dps")};
        Keys(Qt::Key_S);
        QCOMPARE(FDialogs->Asked.back(), QStringLiteral("save dps"));
        QCOMPARE(Form().EditHistory().count(), 1);
        Keys(Qt::Key_N);
        QCOMPARE(Board().PartCount(), 0);
        QCOMPARE(Form().EditHistory().count(), 0);

        ClickPalette(kK0);
        FDialogs->SaveAnswers = {TSaveAnswer::No};
        FDialogs->OpenCircuits = {PathOf("two.dps")};
        Keys(Qt::Key_O);
        QCOMPARE(Board().PartCount(), 2);
        QCOMPARE(Form().EditHistory().count(), 0);
        Keys(Qt::Key_Z);
        QCOMPARE(Board().PartCount(), 2);
    }

    void stepRunsExactlyOneStatementPerPressWithLineAndVariablesInView()
    {
        FinishSpeedTest();
        ClickPalette(kMCU);
        Form().MemoEditor->setPlainText(QStringLiteral("0 REM \"KELTOBASIC\"\n10 REM \"A=A+1\"\n"
                                                       "20 REM \"B=A*2\"\n30 REM \"GOTO 10\"\n"));
        auto* editor = qobject_cast<TProgramEditor*>(Form().MemoEditor);
        QVERIFY(editor != nullptr);
        // Opened while nothing runs, the window shows what is there at once.
        QTest::mouseClick(Form().ButtonWatch, Qt::LeftButton);
        QCOMPARE(Form().FormRunWatch->ValueOf("Z"), QStringLiteral("0"));
        // A to Z in view without scrolling, even on an 800 x 600 screen.
        QVERIFY(QTest::qWaitForWindowExposed(Form().FormRunWatch));
        QCOMPARE(Form().FormRunWatch->Table->verticalScrollBar()->maximum(), 0);
        Form().FormRunWatch->hide();
        // Paused before the frame clock ticks: nothing has run yet.
        Form().ButtonRUN->click();
        QVERIFY(!StepEnabled());
        Form().ButtonPAUSE->click();
        QVERIFY(StepEnabled());
        QCOMPARE(TakeRunSnapshot(Board().Basic()).ExecutedRow, -1);
        QTest::mouseClick(Form().ButtonWatch, Qt::LeftButton);
        QVERIFY(Form().FormRunWatch->isVisible());

        struct TStep {
            int Row;
            int A;
            int B;
            QString Reading;
        };
        const TStep expected[] = {{1, 1, 0, QStringLiteral("A = A + 1")}, {2, 1, 2, QStringLiteral("B = A * 2")}};
        for (const TStep& step : expected) {
            Form().ButtonStep->click();
            QVERIFY(!StepEnabled()); // one press at a time
            QTRY_VERIFY(StepEnabled());
            QTest::qWait(100); // paused again: nothing more runs
            const TRunSnapshot s = TakeRunSnapshot(Board().Basic());
            QCOMPARE(s.State, TRunState::Paused);
            QCOMPARE(s.ExecutedRow, step.Row);
            QCOMPARE(s.Variables[0], step.A);
            QCOMPARE(s.Variables[1], step.B);
            QTRY_COMPARE(editor->RunLine(), step.Row);
            QTRY_COMPARE(Form().FormRunWatch->ValueOf("A"), QString::number(step.A));
            QCOMPARE(Form().FormRunWatch->ValueOf("B"), QString::number(step.B));
            QCOMPARE(Form().FormRunWatch->ValueOf(QStringLiteral("读作")), step.Reading);
        }

        QTest::mouseClick(Form().ButtonCONTINUE, Qt::LeftButton);
        QVERIFY(!StepEnabled());
        QTest::mouseClick(Form().ButtonPAUSE, Qt::LeftButton);
        QVERIFY(StepEnabled());
        Form().ButtonCONTINUE->click();
        Form().ButtonSTOP->click();
        QVERIFY(!StepEnabled());
        QTRY_VERIFY(Form().ButtonRUN->isEnabled());
        QCOMPARE(editor->RunLine(), -1);
        Keys(Qt::Key_F5, Qt::NoModifier);
        QVERIFY(Form().ButtonSTOP->isEnabled());
    }

    // Step from idle: the run starts paused and exactly one statement runs,
    // however short the program; Stop ends it while it is paused.
    void stepFromIdleRunsOneStatementAndStopEndsThePausedRun()
    {
        FinishSpeedTest();
        ClickPalette(kMCU);
        Form().MemoEditor->setPlainText(QStringLiteral("0 REM \"KELTOBASIC\"\n10 REM \"A=5\"\n"
                                                       "20 REM \"PRINT A\"\n"));
        QVERIFY(StepEnabled());
        QTest::mouseClick(Form().ButtonStep, Qt::LeftButton);
        QTRY_VERIFY(StepEnabled());
        QTest::qWait(100);
        const TRunSnapshot s = TakeRunSnapshot(Board().Basic());
        QCOMPARE(s.State, TRunState::Paused);
        QCOMPARE(s.ExecutedLine, 10);
        QCOMPARE(s.Variables[0], 5);
        QCOMPARE(Form().MemoMessage->toPlainText(), QStringLiteral("开始"));
        QVERIFY(Form().ButtonSTOP->isEnabled());
        QTest::mouseClick(Form().ButtonSTOP, Qt::LeftButton);
        QTRY_VERIFY(Form().ButtonRUN->isEnabled());
        QCOMPARE(Form().MemoMessage->toPlainText(), QStringLiteral("开始\n结束"));
    }

    void ctrlSSavesTheProgramInTheEditorAndTheCircuitElsewhere()
    {
        ClickPalette(kK0);
        FDialogs->SaveCircuits = {PathOf("c.dps")};
        Keys(Qt::Key_S);
        Form().MemoEditor->setFocus();
        QTest::keyClicks(Form().MemoEditor, QStringLiteral("10 REM \"END\""));
        FDialogs->SavePrograms = {PathOf("p.txt")};
        Keys(Qt::Key_S);
        QTest::keyClicks(Form().MemoEditor, QStringLiteral(" "));
        Keys(Qt::Key_S); // its own file now: no dialog
        QCOMPARE(FDialogs->Asked, (QStringList{"save dps", "save txt"}));
        QCOMPARE(ReadAll(PathOf("p.txt")), QByteArray("10 REM \"END\" \r\n"));
        QVERIFY(QFile::exists(PathOf("c.dps")));
    }

    // The check runs the work as it stands in the window, unsaved edits
    // included, and leaves the window's own run going.
    void checkTriesTheVisibleChecksOnTheUnsavedWorkAndLeavesTheRunAlone()
    {
        FinishSpeedTest();
        const QString data = QStringLiteral(KELTO_GRADE_DATA_DIR "/class/wrong/");
        FDialogs->OpenCircuits = {data + "lcd.dps"};
        Form().ButtonOpen->click();
        FDialogs->OpenPrograms = {data + "hello.txt"};
        Form().ButtonOpenBas->click();
        QFile task(PathOf("task.toml"));
        QVERIFY(task.open(QIODevice::WriteOnly));
        task.write("title = \"液晶显示 HI\"\nticks = 2000\n"
                   "[[expect]]\npart = 1\nfield = \"text.0\"\nequals = \"HI\"\nhint = \"第 1 行应显示 HI\"\n"
                   "[[expect]]\nfield = \"variables.B\"\nequals = 73\nhidden = true\n");
        task.close();
        FDialogs->OpenTasks = {PathOf("task.toml")};
        TTaskPanel& panel = *Form().PanelTask;
        QVERIFY(!panel.ButtonCheck->isEnabled());
        panel.ButtonTask->click();
        QCOMPARE(panel.MemoTask->toPlainText(), QStringLiteral("液晶显示 HI\n\n"));
        Form().ButtonRUN->click();
        const std::string circuit = Written();

        QSignalSpy finished(&panel, &TTaskPanel::CheckFinished);
        const QString hidden = QStringLiteral("另有 1 项检查在交作业后评分\n");
        panel.ButtonCheck->click();
        QVERIFY(finished.wait(30000));
        QCOMPARE(panel.MemoTask->toPlainText(), "液晶显示 HI\n\n✗ 第 1 行应显示 HI\n" + hidden);
        QVERIFY(Form().ButtonSTOP->isEnabled());
        QCOMPARE(Written(), circuit);

        QString program = Form().MemoEditor->toPlainText();
        program.replace(QStringLiteral("150 REM \"B=79\""), QStringLiteral("150 REM \"B=73\""));
        Form().MemoEditor->setPlainText(program);
        panel.ButtonCheck->click();
        QVERIFY(finished.wait(30000));
        QVERIFY2(panel.MemoTask->toPlainText().contains("✓ 运行 2000 拍后，LCD1602的显示内容第 1 行"),
                 qPrintable(panel.MemoTask->toPlainText()));
    }

    // A second click on a placed item shows where the part is, scrolled into
    // view; Delete asks
    // about it by name, as a double-click does; both buttons undo and redo.
    void placedItemIsSelectedDeleteKeyAsksByNameAndButtonsUndo()
    {
        FinishSpeedTest();
        ClickPalette(kK0);
        Board().Canvas().ClearSelection();
        TdxFcObject* body = Board().Part(0)->FBody;
        Board().MovePartTo(body, 2000, 1500);
        ClickPalette(kK0);
        QCOMPARE(Board().PartCount(), 1);
        QCOMPARE(Board().Canvas().SelectedObject(), body);
        QVERIFY(Canvas()->rect().contains(Form().dxFlowChart1->ClientRect(body->Bounds())));
        QVERIFY(Form().MemoMessage->toPlainText().contains(QStringLiteral("开关K0")));

        FDialogs->DeleteAnswers = {TModalResult::mrNo};
        Form().dxFlowChart1->setFocus();
        QTest::keyClick(Form().dxFlowChart1, Qt::Key_Delete);
        QCOMPARE(FDialogs->DeletedCaptions, QStringList{"开关K0"});
        QCOMPARE(Board().PartCount(), 0);
        QVERIFY(Form().ButtonUndo->isEnabled());
        QVERIFY(!Form().ButtonRedo->isEnabled());
        QTest::mouseClick(Form().ButtonUndo, Qt::LeftButton);
        QCOMPARE(Board().PartCount(), 1);
        QTest::mouseClick(Form().ButtonRedo, Qt::LeftButton);
        QCOMPARE(Board().PartCount(), 0);
    }

    // While a wire is begun a line runs from its pin to the pointer; Escape
    // gives the wire up and takes the line away.
    void rubberBandFollowsThePointerUntilEscape()
    {
        FinishSpeedTest();
        PlaceToggleAndLed();
        const QPoint pin = PinPoint(*Board().Part(0), 1);
        QTest::mouseClick(Canvas(), Qt::LeftButton, {}, pin);
        const QPoint pointer = pin + QPoint(80, 200);
        QTest::mouseMove(Canvas(), pointer);
        const QPoint middle = (pin + pointer) / 2;
        const auto lineShown = [this, middle] {
            const QImage shot = Canvas()->grab().toImage();
            for (int dx = -1; dx <= 1; ++dx)
                if (shot.pixelColor(middle + QPoint(dx, 0)).red() > 200 &&
                    shot.pixelColor(middle + QPoint(dx, 0)).green() < 60)
                    return true;
            return false;
        };
        QTRY_VERIFY(lineShown());
        QTest::keyClick(Form().dxFlowChart1, Qt::Key_Escape);
        QTRY_VERIFY(!lineShown());
        QTest::mouseClick(Canvas(), Qt::LeftButton, {}, PinPoint(*Board().Part(1), 0));
        QCOMPARE(Board().Canvas().ConnectionCount(), 0);
    }
};

QTEST_MAIN(LearningAidsTest)
#include "learning_aids_test.moc"
