#include "grade/grade_output.h"

#include "grade/check_sentence.h"
#include "grade/grade_messages.h"
#include "grade/safe_text.h"

#include <algorithm>
#include <filesystem>

namespace kelto::grade {

namespace {

bool Wide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

// Terminal columns a UTF-8 text takes: Chinese characters take two.
size_t DisplayWidth(const std::string& text)
{
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        width += Wide(c) ? 2 : 1;
        i += length;
    }
    return width;
}

std::string Padded(const std::string& text, size_t width)
{
    return text + std::string(width - std::min(width, DisplayWidth(text)), ' ');
}

std::string PointsText(const TGrade& grade)
{
    return std::to_string(grade.Points) + "/" + std::to_string(grade.Total);
}

} // namespace

std::string FirstFailure(const TTask& task, const TGrade& grade)
{
    if (grade.Error)
        return PrintableText(ErrorText(*grade.Error));
    for (size_t i = 0; i < grade.Results.size(); ++i)
        if (!grade.Results[i].Ok)
            return CheckNumber(i + 1) + kColon +
                   PrintableText(FailureSentence(task, task.Expectations[i], grade.Results[i], grade.Parts));
    return "";
}

std::string GradeTable(const TTask& task, const std::vector<TGrade>& grades)
{
    size_t nameWidth = DisplayWidth(kSubmissionHeading);
    size_t pointsWidth = DisplayWidth(kPointsHeading);
    for (const TGrade& grade : grades) {
        nameWidth = std::max(nameWidth, DisplayWidth(PrintableText(grade.Submission)));
        pointsWidth = std::max(pointsWidth, PointsText(grade).size());
    }
    std::string table = task.Title.empty() ? "" : PrintableText(task.Title) + "\n";
    table += Padded(kSubmissionHeading, nameWidth) + "  " + Padded(kPointsHeading, pointsWidth) + "  " +
             kFailureHeading + "\n";
    for (const TGrade& grade : grades) {
        std::string line = Padded(PrintableText(grade.Submission), nameWidth) + "  " +
                           Padded(PointsText(grade), pointsWidth) + "  " + FirstFailure(task, grade);
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + "\n";
    }
    return table;
}

std::string GradeReportJson(const std::vector<TGrade>& grades)
{
    TJson report = TJson::array();
    for (const TGrade& grade : grades) {
        TJson results = TJson::array();
        for (size_t i = 0; i < grade.Results.size(); ++i)
            results.push_back(
                {{"expect", i + 1}, {"ok", grade.Results[i].Ok}, {"got", grade.Results[i].Got}});
        report.push_back({{"submission", JsonText(grade.Submission)},
                          {"points", grade.Points},
                          {"total", grade.Total},
                          {"error", grade.Error ? TJson(JsonText(*grade.Error)) : TJson(nullptr)},
                          {"results", std::move(results)}});
    }
    return report.dump(2, ' ', false, TJson::error_handler_t::replace) + "\n";
}

std::string GradeCsv(const TTask& task, const std::vector<TGrade>& grades)
{
    std::string csv = "\xEF\xBB\xBF" + kSubmissionHeading + "," + kPointsHeading + "," + kTotalHeading + "," +
                      kErrorHeading;
    for (size_t i = 0; i < task.Expectations.size(); ++i)
        csv += "," + CheckNumber(i + 1);
    csv += "\r\n";
    for (const TGrade& grade : grades) {
        csv += CsvCell(grade.Submission) + "," + std::to_string(grade.Points) + "," +
               std::to_string(grade.Total) + "," + CsvCell(grade.Error.value_or(""));
        for (size_t i = 0; i < task.Expectations.size(); ++i)
            csv += grade.Error ? "," : grade.Results[i].Ok ? ",1" : ",0";
        csv += "\r\n";
    }
    return csv;
}

// The folder's own name: "class/li_lei/" is li_lei.
std::string Gradebook(const std::vector<TGrade>& grades)
{
    std::string sheet = "student,points\r\n";
    for (const TGrade& grade : grades) {
        const std::filesystem::path folder = std::filesystem::path(grade.Submission).lexically_normal();
        const std::string name =
            (folder.has_filename() ? folder.filename() : folder.parent_path().filename()).string();
        sheet += CsvCell(name) + "," + std::to_string(grade.Points) + "\r\n";
    }
    return sheet;
}

} // namespace kelto::grade
