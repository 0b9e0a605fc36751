// keltosimu-window-load CIRCUIT.dps [PROGRAM.txt] [--scopes] [--pause MS]
//                       [--seconds S] [--scroll X,Y] [--zoom PERCENT] [--shot FILE.png]
// Runs the main window as the program does, on a real display, for measuring
// its speed and memory: opens the circuit, types the program into the editor
// and presses 运行, opens both oscilloscope windows recording (--scopes),
// fixes the frame clock's pause once the start-up speed test is over
// (--pause), and quits after S seconds (default 60), saving a screenshot of
// the screen first (--shot). Set KELTOSIMU_STATS=1 to see the window's rates.
#include "gui/app/form_kelto_simu.h"
#include "gui/app/modal_dialogs.h"
#include "gui/editor/flow_chart_view.h"
#include "gui/instruments/form_oscopes.h"

#include "core/files/program_file.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace kelto;
using namespace kelto::gui;

namespace {

struct TLoadOptions {
    QString Circuit;
    QString Program;
    bool Scopes = false;
    int PauseMilliseconds = -2; // -2: keep what the speed test chose
    int Seconds = 60;
    QString Shot;
    QPoint Scroll;
    int Zoom = 100;
};

bool ParseOptions(const QStringList& arguments, TLoadOptions& options)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == QLatin1String("--scopes"))
            options.Scopes = true;
        else if (a == QLatin1String("--pause") && hasValue)
            options.PauseMilliseconds = arguments[++i].toInt();
        else if (a == QLatin1String("--seconds") && hasValue)
            options.Seconds = arguments[++i].toInt();
        else if (a == QLatin1String("--zoom") && hasValue)
            options.Zoom = arguments[++i].toInt();
        else if (a == QLatin1String("--shot") && hasValue)
            options.Shot = arguments[++i];
        else if (a == QLatin1String("--scroll") && hasValue) {
            const QStringList xy = arguments[++i].split(QLatin1Char(','));
            if (xy.size() != 2)
                return false;
            options.Scroll = {xy[0].toInt(), xy[1].toInt()};
        } else if (a.startsWith(QLatin1String("--")))
            return false;
        else if (options.Circuit.isEmpty())
            options.Circuit = a;
        else if (options.Program.isEmpty())
            options.Program = a;
        else
            return false;
    }
    return !options.Circuit.isEmpty() && options.Seconds > 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    TLoadOptions options;
    if (!ParseOptions(QApplication::arguments(), options)) {
        std::fprintf(stderr, "usage: keltosimu-window-load CIRCUIT.dps [PROGRAM.txt] [--scopes] [--pause MS] "
                             "[--seconds S] [--scroll X,Y] [--shot FILE.png]\n");
        return 2;
    }
    InstallFontSubstitutions();
    TQtModalDialogs dialogs;
    const QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    TFormKeltoSimu form(dialogs, settings);
    TFormOScopes scopes(form.Board().OScopesRecorder(), dialogs, &form);
    TFormAudioas audioas(form.Board().AudioasRecorder(), dialogs, &form);
    form.SetInstrumentWindow(TInstrument::OScopes, &scopes);
    form.SetInstrumentWindow(TInstrument::Audioas, &audioas);
    // Side by side on a screen of 2800 x 1440 or larger, the canvas wide and
    // scrolled to the displays of the full-board circuit (--scroll X,Y).
    form.setGeometry(0, 0, 2000, 1100);
    form.Splitter1->setSizes({1650, 350});
    form.show();
    if (!form.Document().OpenCircuitFile(QFile::encodeName(options.Circuit).toStdString())) {
        std::fprintf(stderr, "keltosimu-window-load: cannot open %s\n", qPrintable(options.Circuit));
        return 1;
    }
    if (!options.Program.isEmpty()) {
        // GBK like the window's own open command, so comments stay readable.
        std::vector<std::string> lines;
        if (!LoadProgramFile(QFile::encodeName(options.Program).toStdString(), lines).Ok) {
            std::fprintf(stderr, "keltosimu-window-load: cannot read %s\n", qPrintable(options.Program));
            return 1;
        }
        QStringList text;
        for (const std::string& line : lines)
            text.push_back(QString::fromStdString(line));
        form.MemoEditor->setPlainText(text.join(QLatin1Char('\n')));
    }
    // A real event loop throughout: QTest's waits sleep in steps of 10 ms,
    // which would hold the frame clock back.
    QEventLoop speedTest;
    QObject::connect(&form.TimerPerfTest, &QTimer::timeout, &speedTest, &QEventLoop::quit);
    if (form.SpeedTestRunning())
        speedTest.exec();
    form.dxFlowChart1->SetZoomPercent(options.Zoom);
    form.dxFlowChart1->horizontalScrollBar()->setValue(options.Scroll.x());
    form.dxFlowChart1->verticalScrollBar()->setValue(options.Scroll.y());
    if (options.PauseMilliseconds != -2)
        form.GLCadencer1.SetSleepLength(options.PauseMilliseconds);
    if (!options.Program.isEmpty())
        form.ButtonRUN->click();
    if (options.Scopes) {
        scopes.move(2010, 0);
        audioas.move(2010, 720);
        for (TScopeForm* scope : {static_cast<TScopeForm*>(&scopes), static_cast<TScopeForm*>(&audioas)}) {
            scope->show();
            scope->ButtonRun->click();
        }
    }
    std::fprintf(stderr, "keltosimu-window-load: running %d s, frame pause %d ms\n", options.Seconds,
                 form.GLCadencer1.SleepLength());
    QTimer::singleShot(options.Seconds * 1000, &form, [&form, &options] {
        if (!options.Shot.isEmpty() && !form.screen()->grabWindow(0).save(options.Shot, "PNG"))
            std::fprintf(stderr, "keltosimu-window-load: cannot write %s\n", qPrintable(options.Shot));
        QCoreApplication::exit(0); // not quit(): that would ask to save the typed program
    });
    return QApplication::exec();
}
