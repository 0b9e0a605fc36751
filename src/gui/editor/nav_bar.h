// dxNavBar1, the palette: four groups of part items with 38 x 38 icons; a
// single click on an item asks for its part to be placed.
#pragma once

#include <QToolBox>

#include <array>

class QListWidget;
class QListWidgetItem;

namespace kelto::gui {

class TdxNavBar final : public QToolBox {
    Q_OBJECT
public:
    explicit TdxNavBar(QWidget* parent = nullptr);

    // Items are numbered as dxNavBar1ItemN (1 .. 46).
    void SetItemCaption(int item, const QString& caption);
    QString ItemCaption(int item) const;
    // The list showing the item and the item's rectangle in it, for clicks.
    QListWidget* ListOfItem(int item) const;
    QRect ItemRect(int item) const;

signals:
    void ItemClicked(int item);

private:
    QListWidgetItem* Entry(int item) const;

    std::array<QListWidget*, 4> FGroupLists{};
};

} // namespace kelto::gui
