#include "gui/app/save_changes_box.h"

#include "core/board/document_texts.h"
#include "gui/app/strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kelto::gui {

TSaveChangesBox::TSaveChangesBox(const QString& text, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SaveChangesBox"));
    setAttribute(Qt::WA_WindowPropagation); // the main window's font
    setWindowTitle(
        QString::fromUtf8(kSavePromptCaption.data(), static_cast<qsizetype>(kSavePromptCaption.size())));
    setModal(true);

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(iconSize, iconSize));
    auto* message = new QLabel(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this);
    message->setObjectName(QStringLiteral("Message"));
    message->setTextInteractionFlags(Qt::NoTextInteraction);

    ButtonYes = new QPushButton(main_strings::kAnswerYes, this);
    ButtonNo = new QPushButton(main_strings::kAnswerNo, this);
    ButtonCancel = new QPushButton(main_strings::kAnswerCancel, this);
    ButtonYes->setDefault(true);
    const auto answerWith = [this](TSaveAnswer answer) {
        FAnswer = answer;
        answer == TSaveAnswer::Cancel ? reject() : accept();
    };
    connect(ButtonYes, &QPushButton::clicked, this, [answerWith] { answerWith(TSaveAnswer::Yes); });
    connect(ButtonNo, &QPushButton::clicked, this, [answerWith] { answerWith(TSaveAnswer::No); });
    connect(ButtonCancel, &QPushButton::clicked, this, [answerWith] { answerWith(TSaveAnswer::Cancel); });
    setTabOrder(ButtonYes, ButtonNo);
    setTabOrder(ButtonNo, ButtonCancel);

    auto* body = new QHBoxLayout;
    body->addWidget(icon, 0, Qt::AlignTop);
    body->addSpacing(12);
    body->addWidget(message, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {ButtonYes, ButtonNo, ButtonCancel})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ButtonYes->setFocus();
}

} // namespace kelto::gui
