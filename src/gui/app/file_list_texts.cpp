#include "gui/app/file_list_texts.h"

#include "gui/app/strings.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QLocale>

namespace kelto::gui {

namespace {

// The columns of QFileSystemModel.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;

} // namespace

QVariant TFileListTexts::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    if (index.column() == kSizeColumn && !files->isDir(source))
        return QLocale().formattedDataSize(files->size(source));
    if (index.column() == kTypeColumn && files->isDir(source))
        return main_strings::kFolderType;
    if (index.column() == kDateColumn)
        return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    return QIdentityProxyModel::data(index, role);
}

} // namespace kelto::gui
