// The small window the 变量 button opens: what a run's watcher sees, as a
// two-column table the main window refills while it is shown.
#pragma once

#include "core/basic/watch_rows.h"

#include <QWidget>

#include <vector>

class QTableWidget;

namespace kelto::gui {

class TFormRunWatch final : public QWidget {
    Q_OBJECT
public:
    explicit TFormRunWatch(QWidget* parent);

    // Rewrites only the cells that changed, so a shown table does not flicker.
    void ShowRows(const std::vector<TWatchRow>& rows);
    QString ValueOf(const QString& name) const;

    QTableWidget* Table = nullptr;

private:
    void FitRows();

    std::vector<TWatchRow> FShown;
};

} // namespace kelto::gui
