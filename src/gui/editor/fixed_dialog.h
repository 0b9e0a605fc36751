// The shape both canvas dialogs share: modal, fixed size, centred on the
// screen, in the part typeface at 16 pixels, answering with a modal result.
#pragma once

#include "core/board/schematic_editor.h"

#include <QDialog>

namespace kelto::gui {

class TFixedDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFixedDialog(QWidget* parent = nullptr);

    // Shows the dialog modally; closing it by its box or Escape is Cancel.
    TModalResult ShowModal();
    // The result of the last closing, for dialogs shown without ShowModal.
    TModalResult ModalResult() const;

protected:
    // A button that closes the dialog with the given result.
    void CloseWith(TModalResult result) { done(static_cast<int>(result) + 1); }
    void showEvent(QShowEvent* event) override;
};

} // namespace kelto::gui
