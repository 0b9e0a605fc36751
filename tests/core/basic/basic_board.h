// A board with a placed microcontroller and recording sound devices, ticked
// by tests that measure programs in ticks.
#pragma once

#include "../board_helpers.h"
#include "../sound/recording_sound.h"
#include "core/board/board.h"
#include "core/sound/virtual_devices.h"

#include <string>
#include <vector>

namespace kelto::testing {

struct TLoggedLine {
    int64_t Tick;
    std::string Text;
    bool operator==(const TLoggedLine&) const = default;
};

// "0 REM "KELTOBASIC"" followed by the statements as lines 10, 20, 30 ...
std::vector<std::string> NumberedProgram(const std::vector<std::string>& statements);

class TBasicBoard {
public:
    TBasicBoard();

    TBasicInterpreter& Basic() { return Board.Interpreter(); }
    // Sets the editor lines and presses Run; true when the run started.
    bool Run(const std::vector<std::string>& lines);
    bool RunStatements(const std::vector<std::string>& statements)
    {
        return Run(NumberedProgram(statements));
    }
    void Tick(int64_t count = 1);
    // Ticks until the run ends; the tick in which it ended, or -1 after limit ticks.
    int64_t TickUntilIdle(int64_t limit = 10000);
    // The committed record of a port bit (entries as in McuPortPinMap).
    const TSimuPortInfo& PortBit(int entry) { return *Board.Engine().McuPortRecord(entry); }
    std::vector<std::string> LogTexts() const;

    TTestBoard Board;
    TSimuPart* Mcu = nullptr;
    TRecordingToneGenerator Tone;
    TRecordingWavePlayer Wave;
    TRecordingClockSpeaker ClockSpeaker;
    TFixedClock LocalClock;
    TScriptedRandom Random;
    int64_t Ticks = 0;
    std::vector<TLoggedLine> Logged;
};

} // namespace kelto::testing
