#include "web/web_task.h"

#include "grade/self_check.h"
#include "grade/student_view.h"

namespace kelto::web {

namespace {

bool NeverStopped()
{
    return false;
}

} // namespace

TWebTask::TWebTask(const std::string& path)
{
    FTask = grade::ReadTaskFile(path, FError);
}

std::string TWebTask::Title() const
{
    return FTask ? FTask->Title : std::string();
}

std::string TWebTask::View() const
{
    return FTask ? grade::TaskView(*FTask) : std::string();
}

std::string TWebTask::Check(TWebBoard& board, const std::string& unsavedProgram) const
{
    if (!FTask)
        return {};
    const std::optional<grade::TWorkInProgress> work = board.Work(unsavedProgram);
    if (!work)
        return {};
    return grade::SelfCheck(*FTask, *work, "keltosimu-run", NeverStopped);
}

} // namespace kelto::web
