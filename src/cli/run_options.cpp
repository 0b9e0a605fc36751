#include "cli/run_options.h"

#include "core/look/picture_format.h"
#include "core/numbers/number_text.h"

#include <cmath>
#include <string_view>
#include <utility>

namespace kelto::cli {

namespace {

bool ParseInRange(const std::string& text, double& value, double low, double high)
{
    return ReadNumber(text, value) && std::isfinite(value) && value >= low && value <= high;
}

// HH:MM:SS with hours 0..23, minutes and seconds 0..59.
bool ParseTime(const std::string& text, TLocalTime& time)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return false;
    return ReadNumber(text.substr(0, 2), time.Hour) && ReadNumber(text.substr(3, 2), time.Minute) &&
           ReadNumber(text.substr(6, 2), time.Second) && time.Hour >= 0 && time.Hour <= 23 &&
           time.Minute >= 0 && time.Minute <= 59 && time.Second >= 0 && time.Second <= 59;
}

struct TOption {
    std::string_view Name;
    std::string_view Value; // empty: a flag
    std::string_view Help;
    // Takes the value; false when it is not one the option accepts.
    bool (*Apply)(TRunOptions& options, const std::string& value);
    std::string_view Wants; // said when Apply refuses
};

constexpr TOption kOptions[] = {
    {"--ticks", "N", "ticks to run (default 1000)",
    [](TRunOptions& o, const std::string& v) {
         return ReadNumber(v, o.Ticks) && o.Ticks >= 0 && (o.TicksGiven = true);
     },
     "a whole number of 0 or more"},
    {"--dt", "SECONDS", "simulated time of every tick (default 0.001)",
     [](TRunOptions& o, const std::string& v) { return ParseInRange(v, o.DeltaTime, 0.0, kMaxDeltaTime); },
     "a number of seconds from 0 to 3600"},
    {"--speed-factor", "F", "how fast motors turn (default 200)",
     [](TRunOptions& o, const std::string& v) {
         return ParseInRange(v, o.SpeedFactor, 0.0, kMaxSpeedFactor);
     },
     "a number from 0 to 1000000"},
    {"--time", "HH:MM:SS", "local clock for HOUR, MINUTE, SECOND and CLOCK (default: the real clock)",
     [](TRunOptions& o, const std::string& v) {
         TLocalTime time;
         if (!ParseTime(v, time))
             return false;
         o.Time = time;
         return true;
     },
     "HH:MM:SS, for example 14:05:00"},
    {"--seed", "N", "seed of the RANDOM generator (default: from the clock)",
     [](TRunOptions& o, const std::string& v) {
         uint32_t seed = 0;
         if (!ReadNumber(v, seed))
             return false;
         o.Seed = seed;
         return true;
     },
     "a whole number from 0 to 4294967295"},
    {"--no-run", "", "do not press Run before the first tick",
     [](TRunOptions& o, const std::string&) { return o.NoRun = true; }, ""},
    {"--at", "T:ACTION", "perform ACTION between tick T-1 and tick T (repeatable; actions below)",
     [](TRunOptions& o, const std::string& v) {
         TScheduledAction action;
         if (!ParseScheduledAction(v, action))
             return false;
         o.Actions.push_back(action);
         return true;
     },
     "T:ACTION, for example 5:click:0"},
    {"--actions", "FILE", "perform the actions in FILE, one T:ACTION a line, after those of --at",
     [](TRunOptions& o, const std::string& v) { return (o.ActionsPath = v), true; }, ""},
    {"--state", "FILE", "write the final state as JSON",
     [](TRunOptions& o, const std::string& v) { return (o.StatePath = v), true; }, ""},
    {"--events", "FILE", "write the sound requests as JSON lines",
     [](TRunOptions& o, const std::string& v) { return (o.EventsPath = v), true; }, ""},
    {"--trace", "FILE", "write one JSON line per tick (log lines, pins that changed)",
     [](TRunOptions& o, const std::string& v) { return (o.TracePath = v), true; }, ""},
    {"--audio", "FILE.wav", "write what the run sounds like (tunes, voice clips, the spoken clock)",
     [](TRunOptions& o, const std::string& v) { return v != "-" && (o.AudioPath = v, true); },
     "a file name (not -)"},
    {"--vcd", "FILE", "write the oscilloscope channels as a Value Change Dump",
     [](TRunOptions& o, const std::string& v) { return (o.VcdPath = v), true; }, ""},
    {"--midi", "FILE.mid", "write what PLAY played as a Standard MIDI File",
     [](TRunOptions& o, const std::string& v) { return v != "-" && (o.MidiPath = v, true); },
     "a file name (not -)"},
    {"--picture", "FILE", "draw the board after the last tick into FILE.svg, FILE.png or FILE.pdf",
     [](TRunOptions& o, const std::string& v) {
         return look::PictureFormatOf(v).has_value() && (o.PicturePath = v, true);
     },
     "a file name ending in .svg, .png or .pdf"},
    {"--record", "FILE", "write a recording of the run: circuit, program, actions, clock readings, sounds",
     [](TRunOptions& o, const std::string& v) { return v != "-" && (o.RecordPath = v, true); },
     "a file name (not -)"},
    {"--replay", "FILE",
     "run the recording in FILE exactly as it went, in place of CIRCUIT and PROGRAM (--ticks N: to tick N)",
     [](TRunOptions& o, const std::string& v) { return (o.ReplayPath = v), true; }, ""},
    {"--save", "FILE", "write the circuit back as a .dps file after the ticks",
     [](TRunOptions& o, const std::string& v) { return (o.SavePath = v), true; }, ""},
    {"--check", "PROGRAM.txt",
     "list the program's lines that will not run or may not run as meant, with the reasons; no circuit",
     [](TRunOptions& o, const std::string& v) { return (o.CheckPath = v), true; }, ""},
    {"--help, -h", "", "show this text", [](TRunOptions& o, const std::string&) { return o.Help = true; },
     ""},
    {"--version", "", "show the version", [](TRunOptions& o, const std::string&) { return o.Version = true; },
     ""},
};

const TOption* FindOption(std::string_view arg)
{
    if (arg == "-h")
        arg = "--help";
    for (const TOption& option : kOptions)
        if (option.Name == arg || option.Name.substr(0, option.Name.find(',')) == arg)
            return &option;
    return nullptr;
}

// A replay takes everything a run is made of from the recording.
bool ReplayConflict(const TRunOptions& options, const std::vector<std::string>& positional, std::string& error)
{
    const std::pair<bool, const char*> conflicts[] = {
        {!positional.empty(), "a circuit or program file"},
        {!options.Actions.empty() || options.ActionsPath, "--at or --actions"},
        {options.Time || options.Seed, "--time or --seed"},
        {options.DeltaTime != TRunOptions{}.DeltaTime || options.SpeedFactor != TRunOptions{}.SpeedFactor,
         "--dt or --speed-factor"},
        {options.NoRun, "--no-run"},
        {options.AudioPath || options.MidiPath, "--audio or --midi (a replay plays no sound)"},
        {options.RecordPath.has_value(), "--record"},
    };
    for (const auto& [conflict, what] : conflicts)
        if (conflict) {
            error = std::string("--replay takes no ") + what + ": the recording holds the run";
            return true;
        }
    return false;
}

constexpr std::pair<std::string_view, std::string_view> kActionHelp[] = {
    {"run, pause, continue, stop", "press that run button (a disabled button does nothing)"},
    {"step", "one statement; from idle, Run paused first"},
    {"click:C", "click the body of component C (a toggle switch flips)"},
    {"press:C, release:C", "push button C goes down, comes up"},
    {"keydown:C:COL:ROW", "press the key of keypad C in column COL, row ROW (0 to 3)"},
    {"keyup:C:COL:ROW", "let that key go"},
    {"slider:C:POS", "move the wiper of variable resistor C to POS (0 to 1)"},
    {"delete:C", "delete component C and its wires, as the delete dialog does"},
    {"scope:run|stop|clear", "press that button of the oscilloscope window"},
    {"scope1:run|stop|clear", "the same in the single-channel oscilloscope window"},
};

std::string UserActionHelp()
{
    std::string help;
    for (const auto& [form, text] : kActionHelp)
        help += "  " + std::string(form) + std::string(form.size() < 28 ? 28 - form.size() : 1, ' ') +
                std::string(text) + "\n";
    return help + "  C is the component's index in the circuit file, counted from 0, or its palette\n"
                  "  caption (LCD1602, 常开按钮S1) when exactly one placed part has it.\n";
}

} // namespace

bool ParseScheduledAction(const std::string& text, TScheduledAction& action)
{
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size())
        return false;
    action.Action = text.substr(colon + 1);
    return ReadNumber(text.substr(0, colon), action.Tick) && action.Tick >= 0;
}

std::string RunUsage()
{
    return "usage: keltosimu-run [OPTION]... CIRCUIT.dps [PROGRAM.txt]\n"
           "       keltosimu-run --replay RECORDING [OPTION]...\n"
           "       keltosimu-run --check PROGRAM.txt";
}

std::string RunHelp()
{
    std::string help =
        RunUsage() + "\nLoads the circuit, presses Run when a program is given, runs the ticks and performs "
                     "the actions between them.\nMessage log lines go to standard output as they appear.\n\n"
                     "Options:\n";
    for (const TOption& option : kOptions) {
        std::string left = "  " + std::string(option.Name);
        if (!option.Value.empty())
            left += " " + std::string(option.Value);
        left.resize(std::max<size_t>(left.size() + 1, 30), ' ');
        help += left + std::string(option.Help) + "\n";
    }
    help += "  --                          end of options: what follows are file names\n"
            "FILE may be - for standard output.\n\nActions:\n" +
            UserActionHelp() +
            "\nWith --check: 0 when no line is listed, 1 when some are, 2 when the file cannot be read.\n"
            "Exit status: 0 when the run went through; 1 when an output could not be written\n"
            "after the run; 2 when the run was refused before it started (a bad option, an\n"
            "unreadable input, an output that cannot be written); 130 when interrupted (the\n"
            "outputs still hold the ticks run so far).\n";
    return help;
}

std::optional<TRunOptions> ParseRunOptions(const std::vector<std::string>& args, std::string& error)
{
    TRunOptions options;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const TOption* option = FindOption(arg);
        if (option == nullptr) {
            error = "unknown option " + arg + " (--help lists them)";
            return std::nullopt;
        }
        std::string value;
        if (!option->Value.empty()) {
            // A value that is itself an option means the value was left out.
            if (i + 1 >= args.size() || FindOption(args[i + 1]) != nullptr || args[i + 1] == "--") {
                error = "option " + arg + " needs a value (" + std::string(option->Value) + ")";
                return std::nullopt;
            }
            value = args[++i];
        }
        if (!option->Apply(options, value)) {
            error = arg + " wants " + std::string(option->Wants) + ", not '" + value + "'";
            return std::nullopt;
        }
        if (options.Help || options.Version)
            return options;
    }
    if (options.CheckPath) {
        if (!positional.empty()) {
            error = "--check takes no other file";
            return std::nullopt;
        }
        return options;
    }
    if (options.ReplayPath)
        return ReplayConflict(options, positional, error) ? std::nullopt : std::optional(options);
    if (positional.empty() || positional.size() > 2) {
        error = positional.empty() ? "no circuit file given" : "too many arguments";
        return std::nullopt;
    }
    options.CircuitPath = positional[0];
    if (positional.size() == 2)
        options.ProgramPath = positional[1];
    return options;
}

} // namespace kelto::cli
