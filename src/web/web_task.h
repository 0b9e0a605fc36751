// 任务 and 检查 on the page, as the window has them: a task file read as
// the window reads it, and the work on the page checked by the grader's own
// code, its runs made in this module (runner_call.cpp).
#pragma once

#include "grade/task_file.h"
#include "web/web_board.h"

#include <optional>
#include <string>

namespace kelto::web {

class TWebTask {
public:
    // A .toml in the module's file system.
    explicit TWebTask(const std::string& path);

    // Empty when the task was read; otherwise why not.
    const std::string& Error() const { return FError; }
    std::string Title() const;
    // The title and the assignment.
    std::string View() const;
    // The student view of the board's circuit and the editor's program, or
    // empty after the page showed why the program cannot be handed in;
    // `unsavedProgram` names a program that has no file yet.
    std::string Check(TWebBoard& board, const std::string& unsavedProgram) const;

private:
    std::optional<grade::TTask> FTask;
    std::string FError;
};

} // namespace kelto::web
