// The engine as the page drives it: one board, its circuit from .dps text,
// its program from a program file's bytes, ticks numbered and timed as the
// runner numbers and times them.
#pragma once

#include "core/board/board.h"

#include <cstdint>
#include <string>

namespace kelto::web {

class TWebBoard {
public:
    TWebBoard();

    // Empty when the circuit was read, and ticks count from 0 again;
    // otherwise why not, and the board keeps the circuit it had.
    std::string LoadCircuit(const std::string& dpsText);
    // The bytes of a program file (GBK, or UTF-8 from a teacher's editor).
    void SetProgramFile(const std::string& bytes);
    void PressRun() { FBoard.ButtonRUNClick(); }
    void RunTicks(int count, double deltaTime);

    // What keltosimu-run --state writes.
    std::string StateJson() const;
    int PartCount() const { return FBoard.PartCount(); }
    // The part's drawing in body coordinates as display-list JSON; an empty
    // list for an index that names no part.
    std::string PartDrawing(int index) const;

private:
    TSimuBoard FBoard;
    int64_t FTicks = 0;
};

} // namespace kelto::web
