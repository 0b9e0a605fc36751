#include "grade/board_work.h"

#include "core/board/board_file.h"
#include "core/board/file_error_text.h"
#include "core/files/program_file.h"

#include <algorithm>

namespace kelto::grade {

std::optional<TWorkInProgress> BoardWork(const TSimuBoard& board, const std::vector<std::string>& editorLines,
                                         const std::string& programName, std::string& error)
{
    TWorkInProgress work{WriteCircuitDocument(board), std::nullopt};
    if (std::all_of(editorLines.begin(), editorLines.end(),
                    [](const std::string& line) { return line.empty(); }))
        return work;
    std::string bytes;
    if (TFileResult encoded = EncodeProgramText(editorLines, bytes); !encoded.Ok) {
        encoded.About(TFileOperation::Write, programName, "Cannot save");
        error = FileErrorText(encoded);
        return std::nullopt;
    }
    work.Program = std::move(bytes);
    return work;
}

} // namespace kelto::grade
