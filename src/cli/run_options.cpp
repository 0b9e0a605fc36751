#include "cli/run_options.h"

#include <charconv>
#include <cmath>

namespace kelto::cli {

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseAction(const std::string& text, TScheduledAction& action)
{
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size())
        return false;
    action.Action = text.substr(colon + 1);
    return ParseNumber(text.substr(0, colon), action.Tick) && action.Tick >= 0;
}

// HH:MM:SS with hours 0..23, minutes and seconds 0..59.
bool ParseTime(const std::string& text, TLocalTime& time)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return false;
    return ParseNumber(text.substr(0, 2), time.Hour) && ParseNumber(text.substr(3, 2), time.Minute) &&
           ParseNumber(text.substr(6, 2), time.Second) && time.Hour >= 0 && time.Hour <= 23 &&
           time.Minute >= 0 && time.Minute <= 59 && time.Second >= 0 && time.Second <= 59;
}

} // namespace

std::string RunUsage()
{
    return "usage: keltosimu-run [--ticks N] [--dt SECONDS] [--speed-factor F] [--time HH:MM:SS] [--seed N] "
           "[--no-run] [--at T:ACTION]... [--state FILE] [--events FILE] [--trace FILE] [--save FILE] "
           "CIRCUIT.dps [PROGRAM.txt]";
}

std::optional<TRunOptions> ParseRunOptions(const std::vector<std::string>& args, std::string& error)
{
    TRunOptions options;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        static const std::string kNoValue;
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) {
                error = "option " + arg + " needs a value";
                return kNoValue;
            }
            return args[++i];
        };
        if (arg == "--ticks") {
            if (!ParseNumber(value(), options.Ticks) || options.Ticks < 0) {
                error = "--ticks wants a whole number of 0 or more";
                return std::nullopt;
            }
        } else if (arg == "--dt") {
            if (!ParseNumber(value(), options.DeltaTime) || !std::isfinite(options.DeltaTime) ||
                options.DeltaTime < 0) {
                error = "--dt wants a number of seconds, 0 or more";
                return std::nullopt;
            }
        } else if (arg == "--speed-factor") {
            if (!ParseNumber(value(), options.SpeedFactor) || !std::isfinite(options.SpeedFactor)) {
                error = "--speed-factor wants a number";
                return std::nullopt;
            }
        } else if (arg == "--at") {
            TScheduledAction action;
            if (!ParseAction(value(), action)) {
                error = "--at wants T:ACTION, for example 5:click:0";
                return std::nullopt;
            }
            options.Actions.push_back(action);
        } else if (arg == "--time") {
            TLocalTime time;
            if (!ParseTime(value(), time)) {
                error = "--time wants HH:MM:SS, for example 14:05:00";
                return std::nullopt;
            }
            options.Time = time;
        } else if (arg == "--seed") {
            uint32_t seed = 0;
            if (!ParseNumber(value(), seed)) {
                error = "--seed wants a whole number from 0 to 4294967295";
                return std::nullopt;
            }
            options.Seed = seed;
        } else if (arg == "--no-run") {
            options.NoRun = true;
        } else if (arg == "--events") {
            options.EventsPath = value();
        } else if (arg == "--trace") {
            options.TracePath = value();
        } else if (arg == "--state") {
            options.StatePath = value();
        } else if (arg == "--save") {
            options.SavePath = value();
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            positional.push_back(arg);
        }
    }
    if (!error.empty())
        return std::nullopt;
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
