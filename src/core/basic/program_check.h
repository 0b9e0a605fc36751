// The editor's and the runner's check of a program before it runs: which lines
// preparation turns into error rows, which rows the line lookup never finds,
// and whether the header lets the program start, each with a reason to show.
#pragma once

#include "core/basic/program_lines.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelto {

enum class TCheckReason {
    LineForm,       // an error row; the fault says why
    Unreachable,    // an earlier row's number is not smaller
    NegativeNumber, // found only by a jump to a negative line number
    HeaderMissing,  // no row numbered 0 or more
    HeaderWrong,    // the first such row is not the header
    Slip,           // runs, but likely not as meant; the detail says why
};

struct TLineMark {
    size_t Line = 0; // editor line index, from 0
    TCheckReason Reason = TCheckReason::LineForm;
    TLineFault Fault = TLineFault::None;
    size_t EarlierLine = 0; // Unreachable: the row that is found instead
    std::string Detail{};   // Slip: the reason, in Chinese
    bool operator==(const TLineMark&) const = default;
};

// Editor lines as GBK bytes, the way Run prepares them. Marks are in line
// order; lines that do not start with a number are comments, not marked. A
// line carries one mark, but the first may also carry a missing header.
std::vector<TLineMark> CheckProgram(const std::vector<std::string>& gbkLines);

// Marks of lines that run, though perhaps not as meant; the others say a
// line or the whole program will not run.
bool IsWarning(const TLineMark& mark);

// Whether a line starts (after separators) with an optionally signed digit.
bool LooksNumbered(std::string_view line);

// The reason in Chinese (UTF-8), naming lines from 1.
std::string DescribeMark(const TLineMark& mark);

} // namespace kelto
