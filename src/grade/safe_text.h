// Names and messages from submissions made safe to show: a file name must not
// move the cursor, start a new row or run as a spreadsheet formula.
#pragma once

#include <string>
#include <string_view>

namespace kelto::grade {

// For a terminal or a sheet: control characters (and those that turn text
// around) as \n, \r, \t, \xNN or \u{NNNN}, bytes that are not UTF-8 as \xNN,
// and a backslash doubled so no escape can be forged.
std::string PrintableText(std::string_view text);
// For JSON, which escapes control characters itself: only bytes that are not
// UTF-8 as \xNN and a backslash doubled, so two such names stay apart.
std::string JsonText(std::string_view text);
// A printable CSV cell, quoted when it must be; one that a spreadsheet would
// take for a formula starts with an apostrophe.
std::string CsvCell(std::string_view text);

} // namespace kelto::grade
