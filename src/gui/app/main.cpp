// keltosimu [CIRCUIT.dps]: the simulator's window. A circuit named on the
// command line is opened at start.
#include "core/board/document_texts.h"
#include "gui/app/form_kelto_simu.h"
#include "gui/app/modal_dialogs.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

using namespace kelto;
using namespace kelto::gui;

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(
        QString::fromUtf8(kApplicationTitle.data(), static_cast<qsizetype>(kApplicationTitle.size())));
    InstallFontSubstitutions();

    TQtModalDialogs dialogs;
    TFormKeltoSimu FormKeltoSimu(dialogs);
    FormKeltoSimu.show();
    if (argc > 1) {
        const std::string path = QFile::encodeName(QString::fromLocal8Bit(argv[1])).toStdString();
        if (!FormKeltoSimu.Document().OpenCircuitFile(path))
            std::fprintf(stderr, "keltosimu: %s is not a simulation file (*.dps) that exists\n", argv[1]);
    }
    return QApplication::exec();
}
