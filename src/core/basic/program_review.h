// The whole check of a program the editor shows and keltosimu-run --check
// prints: the lines that will not run, the lines that run but likely not as
// meant, and what each line runs as.
#pragma once

#include "core/basic/program_check.h"

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

} // namespace kelto
