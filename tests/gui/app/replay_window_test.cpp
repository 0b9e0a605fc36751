// The window's recording of a run: what a student did during it, written to
// a file by 保存录像, replays in the runner to the state the window showed.
#include "cli/component_state.h"
#include "core/board/board_file.h"
#include "core/circuit/parts.h"
#include "core/devices/device_actions.h"
#include "core/files/program_file.h"
#include "gui/app/replay_panel.h"
#include "gui/render/render_kit.h"
#include "window_fixture.h"

#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
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

        QProcess runner;
        runner.start(QStringLiteral(KELTO_RUNNER_PATH),
                     {QStringLiteral("--replay"), PathOf("run.rec"), QStringLiteral("--state"), PathOf("state.json")});
        QVERIFY(runner.waitForFinished(30000));
        QCOMPARE(runner.exitCode(), 0);
        QFile state(PathOf("state.json"));
        QVERIFY(state.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(state.readAll()), QString::fromStdString(cli::StateJson(Board(), ticks)));
    }
};

QTEST_MAIN(ReplayWindowTest)
#include "replay_window_test.moc"
