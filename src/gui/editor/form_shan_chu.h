// TFormShanChu, the delete dialog: it names the part and says how to take
// the deletion back; "取消" keeps the part, "删除" (result No) deletes it.
#pragma once

#include "gui/editor/fixed_dialog.h"

class QLabel;
class QPushButton;

namespace kelto::gui {

class TFormShanChu final : public TFixedDialog {
    Q_OBJECT
public:
    explicit TFormShanChu(QWidget* parent = nullptr);

    void SetPartCaption(const QString& caption);

    QLabel* LabelQuestion = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
};

} // namespace kelto::gui
