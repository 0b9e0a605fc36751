#include "grade/student_view.h"

#include "grade/check_sentence.h"
#include "grade/grade_messages.h"
#include "grade/safe_text.h"

namespace kelto::grade {

namespace {

// Line by line, so the assignment keeps its lines but no line can forge another.
std::string PrintableLines(const std::string& text)
{
    std::string lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines += PrintableText(std::string_view(text).substr(start, end - start)) + "\n";
        start = end + 1;
    }
    return lines;
}

std::string CheckLine(const TTask& task, const TGrade& grade, size_t index)
{
    const TExpectation& expectation = task.Expectations[index];
    if (!grade.Error && grade.Results[index].Ok)
        return kPassMark + " " + CheckSentence(task, expectation, grade.Parts);
    if (!expectation.Hint.empty())
        return kFailMark + " " + expectation.Hint;
    return kFailMark + " " +
           (grade.Error ? CheckSentence(task, expectation, grade.Parts)
                        : FailureSentence(task, expectation, grade.Results[index], grade.Parts));
}

} // namespace

std::string TaskView(const TTask& task)
{
    return PrintableLines(task.Title) + PrintableLines(task.Text) + "\n";
}

std::string StudentView(const TTask& task, const TGrade& grade)
{
    std::string view = TaskView(task);
    if (grade.Error)
        view += PrintableText(ErrorText(*grade.Error)) + "\n";
    size_t hidden = 0;
    for (size_t i = 0; i < task.Expectations.size(); ++i) {
        if (task.Expectations[i].Hidden)
            ++hidden;
        else
            view += PrintableText(CheckLine(task, grade, i)) + "\n";
    }
    if (hidden > 0)
        view += HiddenChecksLine(hidden) + "\n";
    return view;
}

} // namespace kelto::grade
