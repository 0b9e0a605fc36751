// Program preparation: editor lines (GBK bytes) -> numbered, compact
// statements, with the lines that lack the required form kept as error rows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelto {

struct TProgramLine {
    std::string NumberText;      // "-1" for an error row
    std::string QuotedStatement; // "*ERROR*" for an error row
    std::string StatementText;   // "*ERROR*" for an error row
    int32_t Number = -1;
    bool operator==(const TProgramLine&) const = default;
};

struct TSplitLine {
    bool Valid = false;
    int32_t Number = 0;
    std::string QuotedStatement;
};

// Checks the form `number REM... "statement"` and extracts its parts.
TSplitLine SplitProgramLine(std::string_view line);
// The replacements that turn a statement into the interpreter's compact text.
std::string RewriteStatement(std::string_view statement);
// One row per editor line, in editor order.
void PrepareProgram(const std::vector<std::string>& editorLines, std::vector<TProgramLine>& program);

} // namespace kelto
