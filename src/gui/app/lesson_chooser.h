// The example chooser: the lessons by title, "打开" and "取消"; Enter or a
// double-click opens the selected lesson, Escape and the close box cancel.
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace kelto::gui {

class TLessonChooser final : public QDialog {
    Q_OBJECT
public:
    TLessonChooser(const QStringList& titles, QWidget* parent = nullptr);

    // The chosen row once accepted; -1 otherwise.
    int Chosen() const;

    QListWidget* ListLessons = nullptr;
    QPushButton* ButtonOpen = nullptr;
    QPushButton* ButtonCancel = nullptr;
};

} // namespace kelto::gui
