// What the program editor and the variables view show, as JSON for the page:
// positions in UTF-16 code units, as JavaScript strings count them.
#pragma once

#include "core/basic/interpreter.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelto::web {

// [[begin, length, kind], ...]: the colour spans of one editor line, kind
// in the core's span order (comment, line number, REM, quote, keyword,
// function, number, operator, variable, text).
std::string LineSpansJson(std::string_view utf8Line);

// The editor's check of its UTF-8 lines: {"header": the missing or wrong
// header's reason, "lines": [{"level": 0 clean | 1 may be wrong | 2 will not
// run, "reading": what it runs as, "reasons": [...]}, ...]}.
std::string ProgramReviewJson(std::vector<std::string> utf8Lines);

// {"runLine": the editor line run last, -1 when idle, "rows": [[name,
// value], ...]}: the run line and the variables view of the window.
std::string RunWatchJson(const TBasicInterpreter& basic);

} // namespace kelto::web
