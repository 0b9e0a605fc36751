#include "gui/editor/form_shan_chu.h"

#include "gui/editor/strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelto::gui {

TFormShanChu::TFormShanChu(QWidget* parent) : TFixedDialog(parent)
{
    setObjectName(QStringLiteral("FormShanChu"));
    setWindowTitle(editor_strings::kShanChuCaption);
    Button2 = new QPushButton(editor_strings::kShanChuCancel, this);
    Button3 = new QPushButton(editor_strings::kShanChuDelete, this);
    connect(Button2, &QPushButton::clicked, this, [this] { CloseWith(TModalResult::mrCancel); });
    connect(Button3, &QPushButton::clicked, this, [this] { CloseWith(TModalResult::mrNo); });
    LabelQuestion = new QLabel(this);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    layout->addWidget(LabelQuestion);
    layout->addWidget(new QLabel(editor_strings::kShanChuUndoHint, this));
    layout->addLayout(buttons);
}

void TFormShanChu::SetPartCaption(const QString& caption)
{
    LabelQuestion->setText(editor_strings::kShanChuQuestion.arg(caption));
}

} // namespace kelto::gui
