// keltosimu-window-shot OUTDIR: renders the main window without a screen into
// OUTDIR/banner.png (during the start-up speed test) and OUTDIR/circuit.png
// (a few placed and wired parts running a program), to look at.
#include "gui/app/form_kelto_simu.h"
#include "gui/app/modal_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace kelto;
using namespace kelto::gui;

namespace {

bool Save(QWidget& window, const QDir& dir, const char* name)
{
    const QString path = dir.filePath(QLatin1String(name));
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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: keltosimu-window-shot OUTDIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    InstallFontSubstitutions();

    TQtModalDialogs dialogs;
    const QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    TFormKeltoSimu form(dialogs, settings);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    bool written = Save(form, dir, "banner.png");
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
    written = Save(form, dir, "circuit.png") && written;
    return written ? 0 : 1;
}
