#include "gui/editor/nav_bar.h"

#include "core/board/palette.h"
#include "core/board/pointer_hints.h"
#include "gui/editor/strings.h"
#include "gui/render/palette_icons.h"

#include <QListWidget>
#include <QPixmap>

namespace kelto::gui {

namespace {

constexpr int kItemNumberRole = Qt::UserRole;
constexpr int kItemHeight = 64;
// The palette's width less its scroll bar: items centre in their column.
constexpr int kGridWidth = 126;

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QListWidget* MakeGroupList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setViewMode(QListView::IconMode);
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(false);
    list->setMovement(QListView::Static);
    list->setResizeMode(QListView::Adjust);
    list->setIconSize(QSize(kPaletteIconSize, kPaletteIconSize));
    list->setGridSize(QSize(kGridWidth, kItemHeight));
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::NoFrame);
    return list;
}

} // namespace

TdxNavBar::TdxNavBar(QWidget* parent) : QToolBox(parent)
{
    setObjectName(QStringLiteral("dxNavBar1"));
    QFont font(editor_strings::kDialogTypeface);
    font.setPixelSize(editor_strings::kDialogFontPixels);
    setFont(font);

    std::array<QPixmap, kPaletteIconCount> icons;
    for (int i = 0; i < kPaletteIconCount; ++i)
        icons[i] = QPixmap::fromImage(PaletteIcon(i));

    const auto& groups = PaletteGroups();
    for (size_t g = 0; g < groups.size(); ++g) {
        FGroupLists[g] = MakeGroupList(this);
        FGroupLists[g]->setObjectName(ToQString(groups[g].Name));
        connect(FGroupLists[g], &QListWidget::itemClicked, this,
                [this](QListWidgetItem* entry) { emit ItemClicked(entry->data(kItemNumberRole).toInt()); });
        addItem(FGroupLists[g], ToQString(groups[g].Caption));
    }
    // Groups are numbered by their names; the third shown is group 4.
    const auto listOfGroup = [this, &groups](int number) -> QListWidget* {
        const QString name = QStringLiteral("dxNavBar1Group%1").arg(number);
        for (size_t g = 0; g < groups.size(); ++g)
            if (ToQString(groups[g].Name) == name)
                return FGroupLists[g];
        return nullptr;
    };
    for (const TPaletteItem& item : PaletteItems()) {
        QListWidget* list = listOfGroup(item.Group);
        if (list == nullptr)
            continue;
        auto* entry =
            new QListWidgetItem(QIcon(icons[static_cast<size_t>(item.Icon)]), ToQString(item.Caption), list);
        entry->setData(kItemNumberRole, item.Item);
        entry->setToolTip(ToQString(PaletteItemHint(item)));
        entry->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        entry->setSizeHint(QSize(kGridWidth, kItemHeight));
    }
    setCurrentIndex(0);
}

QListWidgetItem* TdxNavBar::Entry(int item) const
{
    for (QListWidget* list : FGroupLists)
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->data(kItemNumberRole).toInt() == item)
                return list->item(row);
    return nullptr;
}

void TdxNavBar::SetItemCaption(int item, const QString& caption)
{
    if (QListWidgetItem* entry = Entry(item))
        entry->setText(caption);
}

QString TdxNavBar::ItemCaption(int item) const
{
    const QListWidgetItem* entry = Entry(item);
    return entry != nullptr ? entry->text() : QString();
}

QListWidget* TdxNavBar::ListOfItem(int item) const
{
    const QListWidgetItem* entry = Entry(item);
    return entry != nullptr ? entry->listWidget() : nullptr;
}

QRect TdxNavBar::ItemRect(int item) const
{
    QListWidgetItem* entry = Entry(item);
    return entry != nullptr ? entry->listWidget()->visualItemRect(entry) : QRect();
}

} // namespace kelto::gui
