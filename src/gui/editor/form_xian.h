// TFormXian, the wire dialog: three line styles with their icons, and OK,
// Cancel and "删除" (result No: delete the wire).
#pragma once

#include "gui/editor/fixed_dialog.h"

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace kelto::gui {

class TFormXian final : public TFixedDialog {
    Q_OBJECT
public:
    explicit TFormXian(QWidget* parent = nullptr);

    // Checks the radio button of the wire's style, shows the dialog modally
    // and reports the result with the checked style.
    TWireDialogAnswer Execute(TLineStyle current);
    void CheckStyle(TLineStyle style);
    TWireDialogAnswer Answer() const;

    std::array<QRadioButton*, 3> RadioButtons{};
    std::array<QLabel*, 3> Labels{};
    std::array<QLabel*, 3> Icons{};
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kelto::gui
