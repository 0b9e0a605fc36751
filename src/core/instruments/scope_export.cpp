#include "core/instruments/scope_export.h"

#include "core/numbers/number_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kelto {

namespace {

struct TTimescale {
    std::string_view Text;
    double Seconds;
};

constexpr TTimescale kTimescales[] = {
    {"100 s", 100},    {"10 s", 10},     {"1 s", 1},        {"100 ms", 1e-1}, {"10 ms", 1e-2},
    {"1 ms", 1e-3},    {"100 us", 1e-4}, {"10 us", 1e-5},   {"1 us", 1e-6},   {"100 ns", 1e-7},
    {"10 ns", 1e-8},   {"1 ns", 1e-9},   {"100 ps", 1e-10}, {"10 ps", 1e-11}, {"1 ps", 1e-12},
    {"100 fs", 1e-13}, {"10 fs", 1e-14}, {"1 fs", 1e-15},
};

struct TTimeStep {
    std::string_view Timescale;
    uint64_t Units = 1; // per sample
};

// A step no unit holds exactly (or a step of 0) is rounded to whole
// femtoseconds, at least one, so time still moves on.
TTimeStep TimeStepOf(double secondsPerSample)
{
    for (const TTimescale& scale : kTimescales) {
        const double units = secondsPerSample / scale.Seconds;
        const double whole = std::round(units);
        if (whole >= 1 && std::abs(units - whole) <= 1e-9 * whole)
            return {scale.Text, static_cast<uint64_t>(whole)};
    }
    const TTimescale& finest = kTimescales[std::size(kTimescales) - 1];
    return {finest.Text, static_cast<uint64_t>(std::max(1.0, std::round(secondsPerSample / finest.Seconds)))};
}

void AppendFloat(std::string& out, float value)
{
    out += ShortestText(value);
}

// Identifiers are printable ASCII from '!' on, in base 94.
std::string Identifier(size_t index)
{
    std::string id;
    do {
        id += static_cast<char>('!' + index % 94);
        index /= 94;
    } while (index > 0);
    return id;
}

// What one channel's two variables last showed.
struct TChannelVars {
    std::string RealId;
    std::string LevelId;
    bool Written = false;
    TScopePoint Shown;
    char Level = 'x';
};

char LevelOf(const TScopePoint& point)
{
    return point.Null ? 'x' : point.Y >= 0.5f ? '1' : '0';
}

bool SameValue(const TScopePoint& a, const TScopePoint& b)
{
    return a.Null == b.Null && (a.Null || a.Y == b.Y);
}

// Appends what changed with `point`, if anything.
void AppendChange(std::string& out, TChannelVars& vars, const TScopePoint& point)
{
    if (!vars.Written || !SameValue(vars.Shown, point)) {
        out += 'r';
        if (point.Null)
            out += "nan";
        else
            AppendFloat(out, point.Y);
        out += ' ' + vars.RealId + '\n';
    }
    if (const char level = LevelOf(point); !vars.Written || level != vars.Level) {
        out += level + vars.LevelId + '\n';
    }
    vars.Written = true;
    vars.Shown = point;
    vars.Level = LevelOf(point);
}

} // namespace

std::string ScopeVcd(std::span<const TScopeTrace> traces, double secondsPerSample)
{
    const TTimeStep step = TimeStepOf(secondsPerSample);
    std::string out = "$comment KeltoSimu oscilloscope recording, one sample every ";
    out += ShortestText(secondsPerSample);
    out += " s $end\n$timescale " + std::string(step.Timescale) + " $end\n";

    std::vector<std::vector<TChannelVars>> vars(traces.size());
    size_t nextId = 0;
    int64_t longest = 0;
    for (size_t t = 0; t < traces.size(); ++t) {
        out += "$scope module " + std::string(traces[t].Name) + " $end\n";
        for (int32_t c = 0; c < traces[t].Samples.ChannelCount(); ++c) {
            TChannelVars channel;
            channel.RealId = Identifier(nextId++);
            channel.LevelId = Identifier(nextId++);
            const char letter = static_cast<char>('A' + c);
            out += "$var real 64 " + channel.RealId + ' ' + letter + " $end\n";
            out += "$var wire 1 " + channel.LevelId + ' ' + letter + "_level $end\n";
            vars[t].push_back(std::move(channel));
        }
        out += "$upscope $end\n";
        longest = std::max(longest, traces[t].Samples.Count());
    }
    out += "$enddefinitions $end\n";
    if (longest == 0)
        return out;

    std::string changes;
    for (int64_t i = 0; i < longest; ++i) {
        changes.clear();
        for (size_t t = 0; t < traces.size(); ++t)
            for (size_t c = 0; c < vars[t].size(); ++c)
                AppendChange(changes, vars[t][c], traces[t].Samples.Point(static_cast<int32_t>(c), i));
        if (!changes.empty())
            out += '#' + std::to_string(static_cast<uint64_t>(i) * step.Units) + '\n' + changes;
    }
    // Closes the last sample, so viewers show its length.
    return out + '#' + std::to_string(static_cast<uint64_t>(longest) * step.Units) + '\n';
}

std::string ScopeCsv(const TScopeSamples& samples, std::span<const std::string> headers)
{
    std::string out = "\xEF\xBB\xBF";
    for (size_t h = 0; h < headers.size(); ++h)
        out += (h == 0 ? "" : ",") + headers[h];
    out += "\r\n";
    for (int64_t i = 0; i < samples.Count(); ++i) {
        out += std::to_string(i);
        for (int32_t c = 0; c < samples.ChannelCount(); ++c) {
            out += ',';
            if (const TScopePoint point = samples.Point(c, i); !point.Null)
                AppendFloat(out, point.Y);
        }
        out += "\r\n";
    }
    return out;
}

TScopeDataFormat ScopeDataFormatOf(std::string_view path, TScopeDataFormat chosen)
{
    const auto endsWith = [path](std::string_view suffix) {
        return path.size() >= suffix.size() &&
               std::equal(suffix.rbegin(), suffix.rend(), path.rbegin(), [](char a, char b) {
                   return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
               });
    };
    if (endsWith(".csv"))
        return TScopeDataFormat::Csv;
    if (endsWith(".vcd"))
        return TScopeDataFormat::Vcd;
    return chosen;
}

} // namespace kelto
