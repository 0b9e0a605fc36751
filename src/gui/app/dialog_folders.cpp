#include "gui/app/dialog_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace kelto::gui {

namespace {

const QString kLastFolderKey = QStringLiteral("fileDialogs/lastFolder");
// bin/ of an installed tree, or build/<name>/src/gui/app of a source tree.
constexpr int kLevelsUp = 5;

bool HoldsCircuits(const QString& folder)
{
    return !QDir(folder).entryList({QStringLiteral("*.dps")}, QDir::Files).isEmpty();
}

QString ExistingFolderOf(const QString& file)
{
    if (file.isEmpty())
        return {};
    const QString folder = QFileInfo(file).absolutePath();
    return QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace

QStringList ExampleFolderCandidates(const QString& executableFolder)
{
    QStringList candidates;
    QDir level(executableFolder);
    for (int i = 0; i <= kLevelsUp; ++i) {
        candidates << level.filePath(QStringLiteral("share/keltosimu/examples"))
                   << level.filePath(QStringLiteral("examples"));
        if (!level.cdUp())
            break;
    }
    return candidates;
}

QString ExamplesFolder(const QString& executableFolder)
{
    for (const QString& candidate : ExampleFolderCandidates(executableFolder))
        if (HoldsCircuits(candidate))
            return QDir::cleanPath(candidate);
    return {};
}

TDialogFolders::TDialogFolders(QSettings& settings, QString examples)
    : FSettings(settings), FExamples(std::move(examples))
{
}

QString TDialogFolders::StartFolder(const QString& ownFile, const QString& otherFile) const
{
    for (const QString& file : {ownFile, otherFile})
        if (const QString folder = ExistingFolderOf(file); !folder.isEmpty())
            return folder;
    if (const QString last = FSettings.value(kLastFolderKey).toString();
        !last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return FExamples.isEmpty() ? QDir::homePath() : FExamples;
}

void TDialogFolders::Remember(const QString& chosenFile)
{
    if (const QString folder = ExistingFolderOf(chosenFile); !folder.isEmpty())
        FSettings.setValue(kLastFolderKey, folder);
}

} // namespace kelto::gui
