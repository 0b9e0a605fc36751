// Command-line options of keltosimu-run.
#pragma once

#include "core/replay/run_recording.h"
#include "core/sound/sound_interfaces.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelto::cli {

// Performed between tick Tick-1 and tick Tick.
using TScheduledAction = TRecordedAction;

// The longest tick and the largest motor speed factor a run takes.
constexpr double kMaxDeltaTime = 3600.0;
constexpr double kMaxSpeedFactor = 1e6;

struct TRunOptions {
    bool Help = false;
    bool Version = false;
    std::string CircuitPath;
    std::optional<std::string> ProgramPath;
    bool NoRun = false;             // with a program, Run is pressed before tick 1 unless set
    std::optional<TLocalTime> Time; // fixed local clock
    std::optional<uint32_t> Seed;   // reproducible RANDOM
    int64_t Ticks = 1000;
    bool TicksGiven = false;
    double DeltaTime = 0.001;
    double SpeedFactor = 200.0;
    std::vector<TScheduledAction> Actions;
    std::optional<std::string> ActionsPath; // more actions, read when the run starts
    // "-" is standard output.
    std::optional<std::string> StatePath;
    std::optional<std::string> SavePath;
    std::optional<std::string> EventsPath;
    std::optional<std::string> TracePath;
    // Only checks this program file; no circuit, no ticks.
    std::optional<std::string> CheckPath;
    std::optional<std::string> AudioPath; // a wave file, never standard output
    std::optional<std::string> VcdPath;
    std::optional<std::string> MidiPath; // never standard output
    std::optional<std::string> PicturePath; // .svg, .png or .pdf, never standard output
    std::optional<std::string> RecordPath; // never standard output
    // The circuit, program, actions, clock and sounds all come from this recording.
    std::optional<std::string> ReplayPath;
};

// "T:ACTION", as --at takes it.
bool ParseScheduledAction(const std::string& text, TScheduledAction& action);

// Parses argv; on failure returns nothing and sets the message. With --help
// or --version nothing else is checked.
std::optional<TRunOptions> ParseRunOptions(const std::vector<std::string>& args, std::string& error);
// The one-line synopsis, and the full text --help prints.
std::string RunUsage();
std::string RunHelp();

} // namespace kelto::cli
