#include "gui/editor/fixed_dialog.h"

#include "gui/editor/strings.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

namespace kelto::gui {

TFixedDialog::TFixedDialog(QWidget* parent) : QDialog(parent)
{
    QFont font(editor_strings::kDialogTypeface);
    font.setPixelSize(editor_strings::kDialogFontPixels);
    setFont(font);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
}

TModalResult TFixedDialog::ShowModal()
{
    exec();
    return ModalResult();
}

// QDialog reports 0 for a reject by the close box or Escape; every button
// reports its result plus one.
TModalResult TFixedDialog::ModalResult() const
{
    switch (result()) {
    case static_cast<int>(TModalResult::mrOk) + 1: return TModalResult::mrOk;
    case static_cast<int>(TModalResult::mrNo) + 1: return TModalResult::mrNo;
    default: return TModalResult::mrCancel;
    }
}

void TFixedDialog::showEvent(QShowEvent* event)
{
    if (layout() != nullptr)
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

} // namespace kelto::gui
