// keltosimu-window-shot OUTDIR [CIRCUIT.dps]: renders the main window without a
// screen into OUTDIR/banner.png (during the start-up speed test) and
// OUTDIR/circuit.png (a few placed and wired parts running a program), to look
// at; with CIRCUIT, only OUTDIR/<circuit name>.png: that circuit on a canvas
// large enough for every lesson, to check how its wires run.
#include "gui/app/form_kelto_simu.h"
#include "gui/app/modal_dialogs.h"
#include "gui/editor/flow_chart_view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace kelto;
using namespace kelto::gui;

namespace {

bool Save(QWidget& window, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (!window.grab().save(path, "PNG")) {
        std::fprintf(stderr, "keltosimu-window-shot: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void Wire(TSimuBoard& board, TSimuPart* from, int fromPin, TSimuPart* to, int toPin)
{
    board.Canvas().CreateConnection(from->Pin(fromPin), to->Pin(toPin));
}

// Wide and tall enough for the largest lesson (the 32 x 32 matrix at the right).
constexpr int kCircuitShotWidth = 1400;
constexpr int kCircuitShotHeight = 900;

bool SaveCircuit(TFormKeltoSimu& form, const QDir& dir, const QString& circuit)
{
    if (!form.Document().OpenCircuitFile(QFile::encodeName(circuit).toStdString())) {
        std::fprintf(stderr, "keltosimu-window-shot: cannot open %s\n", qPrintable(circuit));
        return false;
    }
    form.resize(kCircuitShotWidth + 400, kCircuitShotHeight + 200);
    form.Splitter1->setSizes({kCircuitShotWidth, 300});
    QTest::qWait(100);
    return Save(*form.dxFlowChart1, dir, QFileInfo(circuit).completeBaseName() + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: keltosimu-window-shot OUTDIR [CIRCUIT.dps]\n");
        return 2;
    }
    // Showing the window moves the working folder, so paths are made absolute first.
    const QDir dir(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    const QString circuit =
        argc == 3 ? QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath() : QString();
    QDir().mkpath(dir.path());
    InstallFontSubstitutions();

    TQtModalDialogs dialogs;
    const QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    TFormKeltoSimu form(dialogs, settings);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    if (argc == 3) {
        while (form.SpeedTestRunning())
            QTest::qWait(50);
        return SaveCircuit(form, dir, circuit) ? 0 : 1;
    }
    bool written = Save(form, dir, QStringLiteral("banner.png"));
    while (form.SpeedTestRunning())
        QTest::qWait(50);

    TSimuBoard& board = form.Board();
    TSimuPart* mcu = board.PlaceItem(14);
    TSimuPart* toggle = board.PlaceItem(15);
    TSimuPart* led = board.PlaceItem(34);
    TSimuPart* gate = board.PlaceItem(27);
    board.MovePartTo(mcu->FBody, 230, 180);
    board.MovePartTo(toggle->FBody, 20, 30);
    board.MovePartTo(led->FBody, 20, 200);
    board.MovePartTo(gate->FBody, 160, 40);
    Wire(board, toggle, 1, gate, 0);
    Wire(board, gate, 1, led, 0);
    Wire(board, mcu, 0, toggle, 0);
    board.Canvas()
        .Connections(board.Canvas().ConnectionCount() - 1)
        ->SetLineStyle(TLineStyle::lsElbowHorizontal);
    board.Canvas().Select(gate->FBody);
    form.MemoEditor->setPlainText(
        QStringLiteral("0 REM \"KELTOBASIC\"\n10 REM \"PRINT 42\"\n20 REM \"WAIT 10000\""));
    form.ButtonRUN->click();
    QTest::qWait(300);
    written = Save(form, dir, QStringLiteral("circuit.png")) && written;
    return written ? 0 : 1;
}
