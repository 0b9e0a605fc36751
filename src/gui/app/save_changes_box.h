// The save-changes prompt: a warning box captioned "系统提示" with "是",
// "否" and "取消" left to right; Enter answers Yes, Escape and the close box
// Cancel.
#pragma once

#include "core/board/document.h"

#include <QDialog>

class QPushButton;

namespace kelto::gui {

class TSaveChangesBox final : public QDialog {
    Q_OBJECT
public:
    // The text's CR LF line breaks are kept as line breaks.
    TSaveChangesBox(const QString& text, QWidget* parent = nullptr);

    TSaveAnswer Answer() const { return FAnswer; }

    QPushButton* ButtonYes = nullptr;
    QPushButton* ButtonNo = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    TSaveAnswer FAnswer = TSaveAnswer::Cancel;
};

} // namespace kelto::gui
