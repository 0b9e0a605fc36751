// TFormShanChu, the delete dialog: "取消" keeps the part, "删除" (result No)
// deletes it.
#pragma once

#include "gui/editor/fixed_dialog.h"

class QPushButton;

namespace kelto::gui {

class TFormShanChu final : public TFixedDialog {
    Q_OBJECT
public:
    explicit TFormShanChu(QWidget* parent = nullptr);

    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
};

} // namespace kelto::gui
