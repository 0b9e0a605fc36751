// Where the file dialogs open: beside the file the user works on, else in the
// folder chosen last (kept across starts), else among the example circuits.
#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace kelto::gui {

// The folders that may hold the example circuits, nearest first, for the
// executable in `executableFolder`: an installed share/keltosimu/examples
// beside bin/, or a source tree's examples/ above its build folder.
QStringList ExampleFolderCandidates(const QString& executableFolder);
// The first candidate holding a circuit file; empty when none does.
QString ExamplesFolder(const QString& executableFolder);

class TDialogFolders {
public:
    // `examples` may be empty; the home folder stands in for it then.
    TDialogFolders(QSettings& settings, QString examples);

    // The folder of `ownFile` (the circuit for circuit dialogs, the program
    // for program dialogs), else of `otherFile`, else the last, else the examples.
    QString StartFolder(const QString& ownFile, const QString& otherFile) const;
    // Where the example circuits are; empty when none was found.
    const QString& Examples() const { return FExamples; }
    // Remembers the folder of a file the user chose.
    void Remember(const QString& chosenFile);

private:
    QSettings& FSettings;
    QString FExamples;
};

} // namespace kelto::gui
