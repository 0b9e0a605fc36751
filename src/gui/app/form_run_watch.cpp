// The run watch window's table.
#include "gui/app/form_run_watch.h"

#include "gui/app/strings.h"

#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kelto::gui {

namespace {

constexpr int kWatchWidth = 220;
constexpr int kWatchHeight = 420;
constexpr int kRowPadding = 2;
// Room for the window's title bar and frame on the screen.
constexpr int kWindowFrameAllowance = 40;

QTableWidgetItem* Cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

TFormRunWatch::TFormRunWatch(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("FormRunWatch"));
    // A window of its own would otherwise take Qt's font, not the main window's.
    setAttribute(Qt::WA_WindowPropagation);
    setWindowTitle(main_strings::kRunWatchCaption);
    resize(kWatchWidth, kWatchHeight);
    Table = new QTableWidget(0, 2, this);
    Table->setHorizontalHeaderLabels({main_strings::kRunWatchName, main_strings::kRunWatchValue});
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    Table->setSelectionMode(QAbstractItemView::NoSelection);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Table);
}

void TFormRunWatch::ShowRows(const std::vector<TWatchRow>& rows)
{
    if (rows == FShown)
        return;
    Table->setRowCount(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const bool fresh = i >= FShown.size();
        const int row = static_cast<int>(i);
        if (fresh || FShown[i].Name != rows[i].Name)
            Table->setItem(row, 0, Cell(rows[i].Name));
        if (fresh || FShown[i].Value != rows[i].Value)
            Table->setItem(row, 1, Cell(rows[i].Value));
    }
    if (rows.size() != FShown.size())
        FitRows();
    FShown = rows;
}

// Every variable in view without scrolling, as far as the screen allows.
void TFormRunWatch::FitRows()
{
    const int needed = Table->horizontalHeader()->sizeHint().height() +
                       Table->rowCount() * Table->verticalHeader()->defaultSectionSize() + 2 * Table->frameWidth();
    const int room = screen()->availableGeometry().height() - kWindowFrameAllowance;
    const int fitting = std::min(needed, room);
    if (fitting > height())
        resize(width(), fitting);
}

QString TFormRunWatch::ValueOf(const QString& name) const
{
    for (const TWatchRow& row : FShown)
        if (QString::fromStdString(row.Name) == name)
            return QString::fromStdString(row.Value);
    return {};
}

} // namespace kelto::gui
