#include "gui/app/dialog_folders.h"

#include "core/board/document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

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

QStringList ExampleFolders(const QString& executableFolder)
{
    QStringList folders;
    for (const QString& candidate : ExampleFolderCandidates(executableFolder))
        if (HoldsCircuits(candidate))
            folders << QDir::cleanPath(candidate);
    return folders;
}

TDialogFolders::TDialogFolders(QSettings& settings, QStringList examples)
    : FSettings(settings), FExamples(std::move(examples))
{
}

bool TDialogFolders::InsideExamples(const QString& folder) const
{
    const std::string path = QFile::encodeName(folder).toStdString();
    return std::any_of(FExamples.begin(), FExamples.end(), [&path](const QString& examples) {
        return IsInsideFolder(path, QFile::encodeName(examples).toStdString());
    });
}

QString TDialogFolders::StartFolder(const QString& ownFile, const QString& otherFile, TDialogUse use) const
{
    const auto usable = [this, use](const QString& folder) {
        return !folder.isEmpty() && (use == TDialogUse::Open || !InsideExamples(folder));
    };
    for (const QString& file : {ownFile, otherFile})
        if (const QString folder = ExistingFolderOf(file); usable(folder))
            return folder;
    if (const QString last = FSettings.value(kLastFolderKey).toString();
        usable(last) && QFileInfo(last).isDir())
        return last;
    return use == TDialogUse::Save || FExamples.isEmpty() ? QDir::homePath() : FExamples.front();
}

void TDialogFolders::Remember(const QString& chosenFile)
{
    if (const QString folder = ExistingFolderOf(chosenFile); !folder.isEmpty())
        FSettings.setValue(kLastFolderKey, folder);
}

} // namespace kelto::gui
