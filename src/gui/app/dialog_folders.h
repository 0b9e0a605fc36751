// Where the file dialogs open: beside the file the user works on, else in the
// folder chosen last (kept across starts), else among the example circuits;
// a save dialog never opens among them, so a lesson is not written over.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class QSettings;

namespace kelto::gui {

// The folders that may hold the example circuits, nearest first, for the
// executable in `executableFolder`: an installed share/keltosimu/examples
// beside bin/, or a source tree's examples/ above its build folder.
QStringList ExampleFolderCandidates(const QString& executableFolder);
// The candidates holding a circuit file, nearest first.
QStringList ExampleFolders(const QString& executableFolder);

enum class TDialogUse : uint8_t { Open, Save };

class TDialogFolders {
public:
    // `examples` (nearest first) may be empty; the home folder stands in then.
    TDialogFolders(QSettings& settings, QStringList examples);

    // The folder of `ownFile` (the circuit for circuit dialogs, the program
    // for program dialogs), else of `otherFile`, else the last, else the
    // examples; for saving, none inside the examples, and home at last.
    QString StartFolder(const QString& ownFile, const QString& otherFile, TDialogUse use) const;
    // Where the example circuits are, nearest first; empty when none was found.
    const QStringList& Examples() const { return FExamples; }
    // Remembers the folder of a file the user chose.
    void Remember(const QString& chosenFile);

private:
    bool InsideExamples(const QString& folder) const;

    QSettings& FSettings;
    QStringList FExamples;
};

} // namespace kelto::gui
