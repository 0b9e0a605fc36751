#include "cli/program_check_command.h"

#include "core/basic/program_review.h"
#include "core/files/program_file.h"

namespace kelto::cli {

int CheckProgramFile(const std::string& path, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> lines;
    if (const TFileResult loaded = LoadProgramFile(path, lines); !loaded.Ok) {
        err << "keltosimu-run: " << loaded.Message << '\n';
        return 2;
    }
    // Editor lines and file lines are the same lines, so N counts from 1 in the file.
    const std::vector<TLineMark> marks = ReviewProgram(ProgramLinesAsGbk(lines)).Marks;
    for (const TLineMark& mark : marks)
        out << mark.Line + 1 << ": " << DescribeMark(mark) << '\n';
    out.flush();
    return marks.empty() ? 0 : 1;
}

} // namespace kelto::cli
