#include "core/replay/recording_text.h"

#include "core/files/circuit_file.h"
#include "core/files/program_file.h"
#include "core/numbers/number_text.h"

#include <charconv>
#include <cstdio>

namespace kelto {

namespace {

constexpr std::string_view kMagic = "KeltoSimu recording";
// As for circuit files, whose every byte may take two in UTF-8.
constexpr size_t kMaxCircuitBytes = 2 * kMaxCircuitFileBytes;
constexpr size_t kRunsPerLine = 16;

uint64_t Fnv1a(std::string_view bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

// Circuit files are Latin-1 documents; each byte becomes one character, so
// any bytes come back unchanged.
std::string Latin1ToUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::optional<std::string> Utf8ToLatin1(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            bytes += text[i];
            continue;
        }
        if ((lead != 0xC2 && lead != 0xC3) || i + 1 == text.size() ||
            (static_cast<unsigned char>(text[i + 1]) & 0xC0) != 0x80)
            return std::nullopt;
        bytes += static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
        ++i;
    }
    return bytes;
}

std::string TimeText(const TLocalTime& time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.Hour, time.Minute, time.Second);
    return text;
}

bool ParseTime(std::string_view text, TLocalTime& time)
{
    int32_t parts[3];
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return false;
    for (int i = 0; i < 3; ++i)
        if (!ReadNumber(text.substr(static_cast<size_t>(i) * 3, 2), parts[i]))
            return false;
    time = {parts[0], parts[1], parts[2]};
    return time.Hour >= 0 && time.Hour < 24 && time.Minute >= 0 && time.Minute < 60 && time.Second >= 0 &&
           time.Second < 60;
}

std::string ValueText(double value)
{
    return ShortestText(value);
}
std::string ValueText(bool value)
{
    return value ? "1" : "0";
}
std::string ValueText(const TLocalTime& value)
{
    return TimeText(value);
}

bool ParseValue(std::string_view text, double& value)
{
    return ReadNumber(text, value) && value >= 0 && value <= 3600.0;
}
bool ParseValue(std::string_view text, bool& value)
{
    if (text != "0" && text != "1")
        return false;
    value = text == "1";
    return true;
}
bool ParseValue(std::string_view text, TLocalTime& value)
{
    return ParseTime(text, value);
}

template <class T> void WriteRuns(std::string& out, std::string_view key, const TAnswerRuns<T>& answers)
{
    const auto& runs = answers.Runs();
    for (size_t i = 0; i < runs.size(); i += kRunsPerLine) {
        out += key;
        for (size_t j = i; j < runs.size() && j < i + kRunsPerLine; ++j)
            out += " " + ValueText(runs[j].Value) + "*" + std::to_string(runs[j].Count);
        out += "\n";
    }
}

template <class T> bool ParseRuns(std::string_view words, TAnswerRuns<T>& answers)
{
    while (!words.empty()) {
        const size_t end = std::min(words.find(' '), words.size());
        const std::string_view run = words.substr(0, end);
        words.remove_prefix(std::min(end + 1, words.size()));
        const size_t star = run.rfind('*');
        T value{};
        int64_t count = 0;
        if (star == std::string_view::npos || !ParseValue(run.substr(0, star), value) ||
            !ReadNumber(run.substr(star + 1), count) || count < 1 || answers.Total() > INT64_MAX - count)
            return false;
        answers.AppendRun(value, count);
    }
    return true;
}

// Reads the text line by line, knowing each line's number for messages.
class TLineReader {
public:
    explicit TLineReader(std::string_view text) : FText(text) {}

    bool AtEnd() const { return FAt >= FText.size(); }
    size_t Offset() const { return FAt; }
    int64_t LineNumber() const { return FLine; }
    // The next line without its end; none when the text ends without one.
    std::optional<std::string_view> Line()
    {
        const size_t end = FText.find('\n', FAt);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view line = FText.substr(FAt, end - FAt);
        FAt = end + 1;
        ++FLine;
        return line;
    }
    std::optional<std::string_view> Bytes(size_t count)
    {
        if (FText.size() - FAt < count + 1 || FText[FAt + count] != '\n')
            return std::nullopt;
        const std::string_view bytes = FText.substr(FAt, count);
        for (const char c : bytes)
            FLine += c == '\n';
        FAt += count + 1;
        ++FLine;
        return bytes;
    }

private:
    std::string_view FText;
    size_t FAt = 0;
    int64_t FLine = 0;
};

struct TSplitLine {
    std::string_view Key;
    std::string_view Rest;
};

TSplitLine Split(std::string_view line)
{
    const size_t space = line.find(' ');
    if (space == std::string_view::npos)
        return {line, {}};
    return {line.substr(0, space), line.substr(space + 1)};
}

class TRecordingParser {
public:
    TRecordingParser(std::string_view text, std::string& error) : FText(text), FLines(text), FError(error) {}

    std::optional<TRunRecording> Parse()
    {
        if (!Header())
            return std::nullopt;
        while (true) {
            const size_t lineStart = FLines.Offset();
            const std::optional<std::string_view> line = FLines.Line();
            if (!line)
                return Fail(FLines.LineNumber() + 1, "the recording ends early (no checksum line)");
            const auto [key, rest] = Split(*line);
            if (key == "checksum")
                return Checksum(rest, lineStart);
            if (!Field(key, rest))
                return std::nullopt;
        }
    }

private:
    std::nullopt_t Fail(int64_t line, const std::string& message)
    {
        FError = "line " + std::to_string(line) + ": " + message;
        return std::nullopt;
    }
    bool Failed(const std::string& message)
    {
        Fail(FLines.LineNumber(), message);
        return false;
    }

    bool Header()
    {
        if (FLines.Line() != kMagic) {
            FError = "not a KeltoSimu recording";
            return false;
        }
        const std::optional<std::string_view> format = FLines.Line();
        int formatNumber = 0;
        if (!format || Split(*format).Key != "format" || !ReadNumber(Split(*format).Rest, formatNumber))
            return Failed("the recording's format line is missing");
        if (formatNumber != kRecordingFormat)
            return Failed("the recording has format " + std::to_string(formatNumber) + "; this program reads format " +
                          std::to_string(kRecordingFormat));
        return true;
    }

    bool Field(std::string_view key, std::string_view rest)
    {
        if (key == "made-by") {
            FRecording.MadeBy = std::string(rest);
        } else if (key == "run-at-start") {
            return ParseValue(rest, FRecording.RunAtStart) || Failed("run-at-start wants 0 or 1");
        } else if (key == "speed-factor") {
            return (ReadNumber(rest, FRecording.SpeedFactor) && FRecording.SpeedFactor >= 0 &&
                    FRecording.SpeedFactor <= 1e6) ||
                   Failed("speed-factor wants a number from 0 to 1000000");
        } else if (key == "seed") {
            return ReadNumber(rest, FRecording.Seed) || Failed("seed wants a whole number");
        } else if (key == "dt") {
            return ParseRuns(rest, FRecording.DeltaTimes) || Failed("dt wants SECONDS*COUNT, seconds at most 3600");
        } else if (key == "clock") {
            return ParseRuns(rest, FRecording.ClockReadings) || Failed("clock wants HH:MM:SS*COUNT");
        } else if (key == "tune-playing") {
            return ParseRuns(rest, FRecording.TunesPlaying) || Failed("tune-playing wants 0*COUNT or 1*COUNT");
        } else if (key == "clock-announcing") {
            return ParseRuns(rest, FRecording.ClockAnnouncing) ||
                   Failed("clock-announcing wants 0*COUNT or 1*COUNT");
        } else if (key == "clip-file-found") {
            return ParseRuns(rest, FRecording.ClipFilesFound) || Failed("clip-file-found wants 0*COUNT or 1*COUNT");
        } else if (key == "action") {
            return Action(rest);
        } else if (key == "circuit") {
            return Circuit(rest);
        } else if (key == "program") {
            return Program(rest);
        } else {
            return Failed("unknown line '" + std::string(key) + "'");
        }
        return true;
    }

    bool Action(std::string_view rest)
    {
        const auto [tick, action] = Split(rest);
        TRecordedAction recorded;
        if (!ReadNumber(tick, recorded.Tick) || recorded.Tick < 0 || action.empty())
            return Failed("action wants TICK ACTION");
        if (!FRecording.Actions.empty() && recorded.Tick < FRecording.Actions.back().Tick)
            return Failed("actions must come in the order of their ticks");
        recorded.Action = std::string(action);
        FRecording.Actions.push_back(std::move(recorded));
        return true;
    }

    bool Circuit(std::string_view rest)
    {
        size_t size = 0;
        if (!ReadNumber(rest, size) || size > kMaxCircuitBytes)
            return Failed("circuit wants its size in bytes");
        const std::optional<std::string_view> text = FLines.Bytes(size);
        if (!text)
            return Failed("the circuit is cut short");
        std::optional<std::string> bytes = Utf8ToLatin1(*text);
        if (!bytes)
            return Failed("the circuit holds a character a circuit file cannot");
        FRecording.Circuit = std::move(*bytes);
        return true;
    }

    bool Program(std::string_view rest)
    {
        size_t count = 0;
        if (!ReadNumber(rest, count) || count > kMaxProgramLines)
            return Failed("program wants its number of lines, at most " + std::to_string(kMaxProgramLines));
        FRecording.ProgramLines.clear();
        for (size_t i = 0; i < count; ++i) {
            const std::optional<std::string_view> line = FLines.Line();
            if (!line)
                return Failed("the program is cut short");
            FRecording.ProgramLines.emplace_back(*line);
        }
        return true;
    }

    std::optional<TRunRecording> Checksum(std::string_view rest, size_t lineStart)
    {
        uint64_t written = 0;
        const auto [end, problem] = std::from_chars(rest.data(), rest.data() + rest.size(), written, 16);
        if (problem != std::errc() || end != rest.data() + rest.size() || rest.size() != 16)
            return Fail(FLines.LineNumber(), "checksum wants 16 hexadecimal digits");
        if (written != Fnv1a(FText.substr(0, lineStart)))
            return Fail(FLines.LineNumber(), "the checksum does not match: the recording was changed or damaged");
        if (!FLines.AtEnd())
            return Fail(FLines.LineNumber() + 1, "text after the checksum");
        return std::move(FRecording);
    }

    std::string_view FText;
    TLineReader FLines;
    std::string& FError;
    TRunRecording FRecording;
};

} // namespace

std::string WriteRecording(const TRunRecording& recording)
{
    std::string out;
    out += std::string(kMagic) + "\n";
    out += "format " + std::to_string(kRecordingFormat) + "\n";
    out += "made-by " + recording.MadeBy + "\n";
    out += "run-at-start " + ValueText(recording.RunAtStart) + "\n";
    out += "speed-factor " + ShortestText(recording.SpeedFactor) + "\n";
    out += "seed " + std::to_string(recording.Seed) + "\n";
    WriteRuns(out, "dt", recording.DeltaTimes);
    WriteRuns(out, "clock", recording.ClockReadings);
    WriteRuns(out, "tune-playing", recording.TunesPlaying);
    WriteRuns(out, "clock-announcing", recording.ClockAnnouncing);
    WriteRuns(out, "clip-file-found", recording.ClipFilesFound);
    for (const TRecordedAction& action : recording.Actions)
        out += "action " + std::to_string(action.Tick) + " " + action.Action + "\n";
    const std::string circuit = Latin1ToUtf8(recording.Circuit);
    out += "circuit " + std::to_string(circuit.size()) + "\n" + circuit + "\n";
    out += "program " + std::to_string(recording.ProgramLines.size()) + "\n";
    for (const std::string& line : recording.ProgramLines)
        out += line + "\n";
    return out + RecordingChecksumLine(out);
}

std::string RecordingChecksumLine(std::string_view body)
{
    char checksum[32];
    std::snprintf(checksum, sizeof checksum, "%016llx", static_cast<unsigned long long>(Fnv1a(body)));
    return "checksum " + std::string(checksum) + "\n";
}

std::optional<TRunRecording> ReadRecording(std::string_view text, std::string& error)
{
    return TRecordingParser(text, error).Parse();
}

} // namespace kelto
