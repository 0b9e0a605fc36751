#include "gui/app/task_panel.h"

#include "grade/runner_path.h"
#include "grade/student_view.h"
#include "gui/app/strings.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <atomic>

namespace kelto::gui {

namespace {

constexpr int kBarButtonWidth = 40;

// Only one window runs checks; it stops them when it closes.
std::atomic<bool> gStopChecks = false;

bool ChecksStopped()
{
    return gStopChecks.load();
}

} // namespace

std::string SelfCheckRunner()
{
    const std::filesystem::path folder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    // Installed, the runner is beside the window; in a build tree, in src/cli.
    return grade::DefaultRunnerPath({folder, folder.parent_path().parent_path() / "cli"});
}

TTaskPanel::TTaskPanel(TTaskPanelHooks hooks, QWidget* parent) : QWidget(parent), FHooks(std::move(hooks))
{
    using namespace main_strings;
    setObjectName(QStringLiteral("PanelTask"));
    ButtonTask = new QPushButton(kButtonTask, this);
    ButtonTask->setObjectName(QStringLiteral("ButtonTask"));
    ButtonTask->setToolTip(kButtonTaskTip);
    ButtonCheck = new QPushButton(kButtonCheck, this);
    ButtonCheck->setObjectName(QStringLiteral("ButtonCheck"));
    ButtonCheck->setToolTip(kButtonCheckTip);
    for (QPushButton* button : {ButtonTask, ButtonCheck}) {
        button->setFixedSize(kBarButtonWidth, kBarHeight);
        button->setAutoDefault(false);
    }
    LabelTitle = new QLabel(this);
    LabelTitle->setObjectName(QStringLiteral("LabelTitle"));
    LabelTitle->setTextFormat(Qt::PlainText);
    MemoTask = new QPlainTextEdit(this);
    MemoTask->setObjectName(QStringLiteral("MemoTask"));
    MemoTask->setReadOnly(true);
    MemoTask->hide();

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(2);
    bar->addWidget(ButtonTask);
    bar->addWidget(ButtonCheck);
    bar->addWidget(LabelTitle, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(MemoTask, 1);
    // Only the bar until a task is open.
    setMaximumHeight(kBarHeight);

    connect(ButtonTask, &QPushButton::clicked, this, [this] {
        if (const QString path = FHooks.ChooseTask(); !path.isEmpty())
            OpenTask(path);
    });
    connect(ButtonCheck, &QPushButton::clicked, this, &TTaskPanel::StartCheck);
    RefreshButtons();
}

TTaskPanel::~TTaskPanel()
{
    if (FCheck.joinable()) {
        gStopChecks = true;
        FCheck.join();
    }
}

void TTaskPanel::OpenTask(const QString& path)
{
    std::string error;
    std::optional<grade::TTask> task = grade::ReadTaskFile(QFile::encodeName(path).toStdString(), error);
    if (!task) {
        FHooks.ShowError(QString::fromStdString(error));
        return;
    }
    FTask = std::move(task);
    LabelTitle->setText(QString::fromStdString(FTask->Title));
    MemoTask->setPlainText(QString::fromStdString(grade::TaskView(*FTask)));
    MemoTask->show();
    setMaximumHeight(QWIDGETSIZE_MAX);
    RefreshButtons();
    emit TaskShown();
}

void TTaskPanel::StartCheck()
{
    if (!FTask || FCheck.joinable())
        return;
    std::optional<grade::TWorkInProgress> work = FHooks.Work();
    if (!work)
        return;
    MemoTask->setPlainText(QString::fromStdString(grade::TaskView(*FTask)) + main_strings::kChecking);
    gStopChecks = false;
    FCheck = std::thread([this, task = *FTask, work = std::move(*work), runner = SelfCheckRunner()] {
        const std::string view = grade::SelfCheck(task, work, runner, ChecksStopped);
        QMetaObject::invokeMethod(
            this, [this, view] { FinishCheck(QString::fromStdString(view)); }, Qt::QueuedConnection);
    });
    RefreshButtons();
}

void TTaskPanel::FinishCheck(const QString& view)
{
    FCheck.join();
    MemoTask->setPlainText(view);
    RefreshButtons();
    emit CheckFinished();
}

void TTaskPanel::RefreshButtons()
{
    ButtonTask->setEnabled(!FCheck.joinable());
    ButtonCheck->setEnabled(FTask && !FCheck.joinable());
}

} // namespace kelto::gui
