// The file dialogs' list as the rest of the window speaks: Qt's file model
// writes "Folder" (its Chinese translation lacks it), and sizes and dates
// in the system's language.
#pragma once

#include <QIdentityProxyModel>

namespace kelto::gui {

class TFileListTexts final : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;
};

} // namespace kelto::gui
