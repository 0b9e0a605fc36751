// keltosimu [CIRCUIT.dps]: the simulator's window. A circuit named on the
// command line is opened at start.
#include "core/board/document_texts.h"
#include "gui/app/chinese_translations.h"
#include "gui/app/desktop_sound.h"
#include "gui/app/form_kelto_simu.h"
#include "gui/app/modal_dialogs.h"
#include "gui/app/strings.h"
#include "gui/instruments/form_oscopes.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSettings>

#include <cstdio>
#include <cstring>

using namespace kelto;
using namespace kelto::gui;

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("keltosimu %s\n", KELTO_VERSION);
        return 0;
    }
    QApplication application(argc, argv);
    // Showing the window moves the working folder beside the program (for the
    // voice clip files), so a relative circuit path is resolved first.
    const QString circuitArgument =
        argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath() : QString();
    // Not the display name: the platform would append that to every caption,
    // and the main window already writes the title into its own.
    QApplication::setApplicationName(
        QString::fromUtf8(kApplicationTitle.data(), static_cast<qsizetype>(kApplicationTitle.size())));
    QApplication::setApplicationVersion(QStringLiteral(KELTO_VERSION));
    InstallFontSubstitutions();
    if (!InstallChineseTranslations(application))
        std::fprintf(stderr, "keltosimu: Qt's Chinese translations (qtbase_zh_CN) are not installed\n");
    QSettings settings(QStringLiteral("Kelto"), QStringLiteral("keltosimu"));

    // Made first so it outlives the interpreter that plays through it.
    const std::unique_ptr<TDesktopSound> sound = CreateDesktopSound();
    TQtModalDialogs dialogs;
    TFormKeltoSimu FormKeltoSimu(dialogs, settings);
    FormKeltoSimu.SetSoundDevices(sound->Devices());
    // The oscilloscope windows exist from the start, hidden until a probe click opens them.
    TFormOScopes FormOScopes(FormKeltoSimu.Board().OScopesRecorder(), dialogs, &FormKeltoSimu);
    TFormAudioas FormAudioas(FormKeltoSimu.Board().AudioasRecorder(), dialogs, &FormKeltoSimu);
    FormKeltoSimu.SetInstrumentWindow(TInstrument::OScopes, &FormOScopes);
    FormKeltoSimu.SetInstrumentWindow(TInstrument::Audioas, &FormAudioas);
    FormKeltoSimu.show();
    if (argc > 1) {
        const std::string path = QFile::encodeName(circuitArgument).toStdString();
        if (!FormKeltoSimu.Document().OpenCircuitFile(path))
            std::fprintf(stderr,
                         "keltosimu: %s was not opened (a .dps file that exists and reads is needed)\n",
                         argv[1]);
    }
    // After the circuit: opening one clears the log.
    if (!sound->HasAudioOutput())
        FormKeltoSimu.MemoMessage->appendPlainText(main_strings::kNoSoundOutput);
    return QApplication::exec();
}
