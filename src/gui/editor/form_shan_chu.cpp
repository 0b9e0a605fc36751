#include "gui/editor/form_shan_chu.h"

#include "gui/editor/strings.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace kelto::gui {

TFormShanChu::TFormShanChu(QWidget* parent) : TFixedDialog(parent)
{
    setObjectName(QStringLiteral("FormShanChu"));
    setWindowTitle(editor_strings::kShanChuCaption);
    Button2 = new QPushButton(editor_strings::kShanChuCancel, this);
    Button3 = new QPushButton(editor_strings::kShanChuDelete, this);
    connect(Button2, &QPushButton::clicked, this, [this] { CloseWith(TModalResult::mrCancel); });
    connect(Button3, &QPushButton::clicked, this, [this] { CloseWith(TModalResult::mrNo); });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    layout->addWidget(Button2);
    layout->addWidget(Button3);
}

} // namespace kelto::gui
