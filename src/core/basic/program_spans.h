// What each stretch of a program line is, for the editor's colours: the line
// number, REM, the quoted statement and the words inside it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kelto {

enum class TSpanKind {
    Comment,
    LineNumber,
    RemWord,
    Quote,
    Keyword,
    Function,
    Number,
    Operator,
    Variable,
    Text
};

struct TLineSpan {
    size_t Begin = 0; // byte offsets into the line
    size_t Length = 0;
    TSpanKind Kind = TSpanKind::Comment;
    bool operator==(const TLineSpan&) const = default;
};

// Bytes of any ASCII-compatible encoding; a line that does not start with a
// number is one comment span.
std::vector<TLineSpan> ProgramLineSpans(std::string_view line);

} // namespace kelto
