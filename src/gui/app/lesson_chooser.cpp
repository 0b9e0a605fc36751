#include "gui/app/lesson_chooser.h"

#include "gui/app/strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelto::gui {

namespace {

constexpr int kListWidth = 420;
constexpr int kListHeight = 360;

} // namespace

TLessonChooser::TLessonChooser(const QStringList& titles, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LessonChooser"));
    setAttribute(Qt::WA_WindowPropagation); // the main window's font
    setWindowTitle(main_strings::kLessonChooserCaption);
    setModal(true);

    auto* prompt = new QLabel(main_strings::kLessonChooserPrompt, this);
    ListLessons = new QListWidget(this);
    ListLessons->setObjectName(QStringLiteral("ListLessons"));
    ListLessons->addItems(titles);
    ListLessons->setMinimumSize(kListWidth, kListHeight);
    ListLessons->setCurrentRow(titles.isEmpty() ? -1 : 0);
    prompt->setBuddy(ListLessons);

    ButtonOpen = new QPushButton(main_strings::kLessonChooserOpen, this);
    ButtonCancel = new QPushButton(main_strings::kAnswerCancel, this);
    ButtonOpen->setDefault(true);
    ButtonOpen->setEnabled(!titles.isEmpty());
    connect(ButtonOpen, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListLessons, &QListWidget::itemActivated, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOpen);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(ListLessons, 1);
    layout->addLayout(buttons);
    ListLessons->setFocus();
}

int TLessonChooser::Chosen() const
{
    return result() == QDialog::Accepted ? ListLessons->currentRow() : -1;
}

} // namespace kelto::gui
