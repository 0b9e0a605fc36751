// The task a teacher handed out, above the program editor: 任务 opens its
// file and shows the assignment; 检查 tries the checks a student may see on
// the circuit and program now in the window, in runs of their own, so the
// window and its run stay untouched.
#pragma once

#include "grade/self_check.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <thread>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelto::gui {

struct TTaskPanelHooks {
    std::function<QString()> ChooseTask; // a task file's path; empty when cancelled
    // The window's work as it would be saved; none when it cannot be (the
    // window has said why).
    std::function<std::optional<grade::TWorkInProgress>()> Work;
    std::function<void(const QString&)> ShowError;
};

class TTaskPanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBarHeight = 22;

    TTaskPanel(TTaskPanelHooks hooks, QWidget* parent);
    // Ends a check still running.
    ~TTaskPanel() override;

    // Shows the task at `path`; says why and keeps the open one when the file
    // is unusable.
    void OpenTask(const QString& path);
    void StartCheck();
    bool Checking() const { return FCheck.joinable(); }

    QPushButton* ButtonTask = nullptr;
    QPushButton* ButtonCheck = nullptr;
    QLabel* LabelTitle = nullptr;
    QPlainTextEdit* MemoTask = nullptr;

signals:
    // The assignment is shown and wants room.
    void TaskShown();
    void CheckFinished();

private:
    void FinishCheck(const QString& view);
    void RefreshButtons();

    TTaskPanelHooks FHooks;
    std::optional<grade::TTask> FTask;
    std::thread FCheck;
};

// The keltosimu-run checks run in: $KELTOSIMU_RUN, else beside the window,
// else where a build tree puts it.
std::string SelfCheckRunner();

} // namespace kelto::gui
