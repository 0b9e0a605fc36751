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

// Why a line becomes an error row, in the order the checks are made.
enum class TLineFault {
    None,
    TooShort,         // 8 characters or fewer
    TooFewTokens,     // fewer than three tokens
    NumberNotWhole,   // first token is not an integer
    NumberOutOfRange, // beyond the 16-bit program counter
    NoRem,            // second token does not begin with REM
    NotQuoted,        // third token does not begin with a double quote
    EmptyStatement,   // ""
    UnclosedQuote,    // no closing quote
    TextAfterQuote,   // something follows the closing quote in the same token
    StatementIsRem,   // the statement begins with REM
};

struct TSplitLine {
    bool Valid = false;
    TLineFault Fault = TLineFault::TooShort;
    int32_t Number = 0;
    std::string QuotedStatement;
};

// Checks the form `number REM... "statement"` and extracts its parts.
TSplitLine SplitProgramLine(std::string_view line);
// The first three tokens (views into the line) and how many there are.
int CutProgramTokens(std::string_view line, std::string_view (&tokens)[3]);
// Removes the enclosing quotes, a doubled quote standing for one; a text
// that does not start with a quote, or dequotes to nothing, stays as it is.
std::string Dequote(std::string_view token);
// The replacements that turn a statement into the interpreter's compact text.
std::string RewriteStatement(std::string_view statement);
// One row per editor line, in editor order.
void PrepareProgram(const std::vector<std::string>& editorLines, std::vector<TProgramLine>& program);

} // namespace kelto
