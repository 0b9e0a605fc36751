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

} // namespace

std::string RunUsage()
{
    return "usage: keltosimu-run [--ticks N] [--dt SECONDS] [--speed-factor F] [--at T:ACTION]... "
           "[--state FILE] [--save FILE] CIRCUIT.dps";
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
    if (positional.size() != 1) {
        error = positional.empty() ? "no circuit file given" : "too many arguments";
        return std::nullopt;
    }
    options.CircuitPath = positional[0];
    return options;
}

} // namespace kelto::cli
