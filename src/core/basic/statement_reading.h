// One statement put into words: what it runs as, in the dialect's canonical
// spelling with its expressions ("PRINT 1" for PROTB 1), and the slips that
// make its text differ from that spelling, each with the likely intent.
#pragma once

#include "core/basic/statement_layout.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelto {

// A jump the statement makes to a line number given as a plain number.
struct TJumpReading {
    bool Known = false;
    int16_t Target = 0;
    std::string Spelled; // "GOTO 200", "THEN 200"
};

struct TStatementReading {
    TStatementLayout Layout;
    std::string Text;               // UTF-8; ASCII when the statement does something
    std::vector<std::string> Slips; // Chinese, UTF-8
    TJumpReading Jump;
};

// written: the statement as typed, without its quotes (GBK); compact: its
// prepared text.
TStatementReading ReadStatement(std::string_view written, std::string_view compact);

} // namespace kelto
