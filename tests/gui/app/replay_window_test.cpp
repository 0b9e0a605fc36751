// The window's recording of a run: what a student did during it, written to
// a file by 保存录像, replays in the runner to the state the window showed.
#include "cli/component_state.h"
#include "core/board/board_file.h"
#include "core/circuit/parts.h"
#include "core/devices/device_actions.h"
#include "core/files/program_file.h"
#include "core/basic/run_snapshot.h"
#include "gui/app/replay_panel.h"
#include "gui/editor/nav_bar.h"
#include "gui/editor/program_editor.h"
#include "gui/render/render_kit.h"
#include "window_fixture.h"

#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QLabel>
#include <QSlider>
#include <QtTest>

using namespace kelto;
using namespace kelto::gui;
using kelto::gui::testing::TWindowFixture;

namespace {

const QString kLessons = QStringLiteral(KELTO_EXAMPLES_DIR);

template <class T> T& FirstPart(TSimuBoard& board, TOwnerType type)
{
    for (int32_t i = 0; i < board.PartCount(); ++i)
        if (board.Part(i)->FOwnerType == type)
            return static_cast<T&>(*board.Part(i));
    qFatal("no such part");
}

} // namespace

class ReplayWindowTest : public QObject, private TWindowFixture {
    Q_OBJECT

    // The runner's state after `ticks` ticks of the recording at `path`.
    QString ReplayedState(const QString& path, int64_t ticks)
    {
        QProcess runner;
        runner.start(QStringLiteral(KELTO_RUNNER_PATH),
                     {QStringLiteral("--replay"), path, QStringLiteral("--ticks"), QString::number(ticks),
                      QStringLiteral("--state"), PathOf("state.json")});
        if (!runner.waitForFinished(30000) || runner.exitCode() != 0)
            return QStringLiteral("replay failed: ") + QString::fromUtf8(runner.readAllStandardError());
        QFile state(PathOf("state.json"));
        return state.open(QIODevice::ReadOnly) ? QString::fromUtf8(state.readAll()) : QString();
    }
    QString ShownState() { return QString::fromStdString(cli::StateJson(Board(), Form().PanelReplay->Timeline->value())); }

    void OpenLesson(const char* name)
    {
        const std::string base = (kLessons + QLatin1Char('/') + QLatin1String(name)).toStdString();
        QVERIFY(Form().Document().OpenCircuitFile(base + ".dps"));
        std::vector<std::string> lines;
        QVERIFY(LoadProgramFile(base + ".txt", lines).Ok);
        QStringList text;
        for (const std::string& line : lines)
            text.push_back(QString::fromStdString(line));
        Form().MemoEditor->setPlainText(text.join(QLatin1Char('\n')));
    }

private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void init()
    {
        OpenWindow();
        QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
        FinishSpeedTest();
        Form().GLCadencer1.SetSleepLength(1);
    }
    void cleanup() { CloseWindow(); }

    void savedRecordingReplaysToWhatTheWindowShowed()
    {
        OpenLesson("lesson03_buttons");
        auto& toggle = FirstPart<TSimuZhaDaoSwitch>(Board(), otZhaDaoSwitch);
        FlipSwitch(toggle); // closed before Run: the file has it open
        QTest::mouseClick(Form().ButtonRUN, Qt::LeftButton);
        QTest::qWait(60);
        PressButton(FirstPart<TSimuAnNiuSwitch>(Board(), otAnNiuSwitch));
        QTest::qWait(60);
        QTest::mouseClick(Form().ButtonPAUSE, Qt::LeftButton);
        QTest::qWait(30);
        FlipSwitch(toggle);
        QTest::mouseClick(Form().ButtonCONTINUE, Qt::LeftButton);
        QTest::qWait(60);
        QTest::mouseClick(Form().ButtonSTOP, Qt::LeftButton);
        QTRY_VERIFY(Form().ButtonRUN->isEnabled());
        Form().GLCadencer1.SetEnabled(false);

        QVERIFY(Form().PanelReplay->ButtonSaveRecording->isEnabled());
        FDialogs->SaveRecordings.push_back(PathOf("run.rec"));
        QTest::mouseClick(Form().PanelReplay->ButtonSaveRecording, Qt::LeftButton);
        const int64_t ticks = Form().PanelReplay->Timeline->maximum();
        QVERIFY2(ticks > 100, qPrintable(QString::number(ticks)));

        QCOMPARE(ShownState(), ReplayedState(PathOf("run.rec"), ticks));
    }

    // Paused, the time line goes back to any tick and steps by statements;
    // 继续 goes on from the tick shown and drops the rest.
    void lookingBackShowsTheBoardLineAndVariablesOfThatTick()
    {
        OpenLesson("lesson02_running_light");
        QTest::mouseClick(Form().ButtonRUN, Qt::LeftButton);
        QTest::qWait(400);
        QTest::mouseClick(Form().ButtonPAUSE, Qt::LeftButton);
        TReplayPanel& panel = *Form().PanelReplay;
        QVERIFY(panel.Timeline->isEnabled());
        FDialogs->SaveRecordings.push_back(PathOf("run.rec"));
        QTest::mouseClick(panel.ButtonSaveRecording, Qt::LeftButton);
        const int total = panel.Timeline->maximum();

        panel.Timeline->setValue(total / 2);
        QCOMPARE(panel.LabelPosition->text(), QStringLiteral("第 %1 / %2 拍").arg(total / 2).arg(total));
        QCOMPARE(ShownState(), ReplayedState(PathOf("run.rec"), total / 2));
        const TRunSnapshot shown = TakeRunSnapshot(Board().Basic());
        QCOMPARE(Form().findChild<TProgramEditor*>()->RunLine(), shown.ExecutedRow);
        QTest::mouseClick(panel.ButtonStepBack, Qt::LeftButton);
        QVERIFY(panel.Timeline->value() < total / 2);
        QCOMPARE(ShownState(), ReplayedState(PathOf("run.rec"), panel.Timeline->value()));
        QVERIFY(TakeRunSnapshot(Board().Basic()).ExecutedRow != shown.ExecutedRow);
        QCOMPARE(Form().findChild<TProgramEditor*>()->RunLine(), TakeRunSnapshot(Board().Basic()).ExecutedRow);
        QTest::mouseClick(panel.ButtonStepForward, Qt::LeftButton);
        QCOMPARE(TakeRunSnapshot(Board().Basic()).ExecutedRow, shown.ExecutedRow);

        const int from = panel.Timeline->value();
        QTest::mouseClick(Form().ButtonCONTINUE, Qt::LeftButton);
        QTest::mouseClick(Form().ButtonPAUSE, Qt::LeftButton);
        QVERIFY(FDialogs->Asked.filter(QStringLiteral("prompt")).isEmpty()); // the student saw those ticks
        QVERIFY2(panel.Timeline->maximum() < total && panel.Timeline->maximum() >= from,
                 qPrintable(QStringLiteral("%1 ticks").arg(panel.Timeline->maximum())));
    }

    // Going back after an edit would take the edit away: an edit the
    // recording cannot hold ends the looking back, and the part stays.
    void anEditAfterTheRunLeavesNothingToGoBackTo()
    {
        OpenLesson("lesson02_running_light");
        QTest::mouseClick(Form().ButtonRUN, Qt::LeftButton);
        QTest::qWait(100);
        QTest::mouseClick(Form().ButtonSTOP, Qt::LeftButton);
        QTRY_VERIFY(Form().PanelReplay->Timeline->isEnabled());
        constexpr int kLED0 = 7;
        emit Form().dxNavBar1->ItemClicked(kLED0);
        const int32_t parts = Board().PartCount();
        QVERIFY(!Form().PanelReplay->Timeline->isEnabled());
        Form().PanelReplay->Timeline->setValue(10);
        QCOMPARE(Board().PartCount(), parts);
    }

    // A recording opened in the window brings its circuit and program and
    // stands at its end, as the runner ends it.
    void openedRecordingStandsAtItsEnd()
    {
        OpenLesson("lesson03_buttons");
        QTest::mouseClick(Form().ButtonRUN, Qt::LeftButton);
        QTest::qWait(50);
        FlipSwitch(FirstPart<TSimuZhaDaoSwitch>(Board(), otZhaDaoSwitch));
        QTest::qWait(50);
        QTest::mouseClick(Form().ButtonPAUSE, Qt::LeftButton);
        FDialogs->SaveRecordings.push_back(PathOf("run.rec"));
        QTest::mouseClick(Form().PanelReplay->ButtonSaveRecording, Qt::LeftButton);
        const QString program = Form().MemoEditor->toPlainText();

        Form().Document().ActionFileNewExecute();
        FDialogs->SaveAnswers.push_back(TSaveAnswer::No);
        FDialogs->SaveAnswers.push_back(TSaveAnswer::No);
        FDialogs->OpenRecordings.push_back(PathOf("run.rec"));
        QTest::mouseClick(Form().PanelReplay->ButtonOpenRecording, Qt::LeftButton);
        const int ticks = Form().PanelReplay->Timeline->maximum();
        QVERIFY(ticks > 50);
        QCOMPARE(Form().PanelReplay->Timeline->value(), ticks);
        QCOMPARE(Form().MemoEditor->toPlainText(), program);
        QVERIFY(Form().windowTitle().contains(QStringLiteral("run（录像）")));
        QCOMPARE(ShownState(), ReplayedState(PathOf("run.rec"), ticks));

        // Cut short: refused before any question, and the circuit stays.
        QFile whole(PathOf("run.rec"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QFile cut(PathOf("cut.rec"));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(whole.readAll().chopped(40));
        cut.close();
        FDialogs->Asked.clear();
        FDialogs->OpenRecordings.push_back(PathOf("cut.rec"));
        QTest::mouseClick(Form().PanelReplay->ButtonOpenRecording, Qt::LeftButton);
        QCOMPARE(FDialogs->Asked.size(), 2);
        QVERIFY2(FDialogs->Asked.last().startsWith(QStringLiteral("error 无法打开录像 ") + PathOf("cut.rec")),
                 qPrintable(FDialogs->Asked.last()));
        QCOMPARE(ShownState(), ReplayedState(PathOf("run.rec"), ticks));
    }
};

QTEST_MAIN(ReplayWindowTest)
#include "replay_window_test.moc"
