// The whole check of a program the editor shows and keltosimu-run --check
// prints: the lines that will not run, the lines that run but likely not as
// meant, and what each line runs as.
#pragma once

#include "core/basic/program_check.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelto {

struct TProgramReview {
    // In line order; on a line the marks that stop it come first.
    std::vector<TLineMark> Marks;
    // Per editor line, what it runs as ("PRINT 1"); empty for a line that is
    // no statement.
    std::vector<std::string> Readings;
};

// Editor lines as GBK bytes, as CheckProgram takes them.
TProgramReview ReviewProgram(const std::vector<std::string>& gbkLines);

// How a line is marked as a whole: a line that will not run is not also
// counted as one that may be mistyped. A missing header marks no line.
enum class TLineLevel : uint8_t { Clean, MayBeWrong, WillNotRun };
std::vector<TLineLevel> LineLevels(const std::vector<TLineMark>& marks, size_t lineCount);

struct TMarkedLineCount {
    size_t WillNotRun = 0;
    size_t MayBeWrong = 0;
};
TMarkedLineCount CountMarkedLines(const std::vector<TLineLevel>& levels);

} // namespace kelto
