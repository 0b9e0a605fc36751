#include "core/basic/program_lines.h"

#include <charconv>

namespace kelto {

namespace {

constexpr size_t kMinimumLineLength = 9;
constexpr std::string_view kErrorText = "*ERROR*";

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ';';
}

} // namespace

// Up to three tokens; a quote of either kind keeps separators inside the
// token until the same quote character comes again.
int CutProgramTokens(std::string_view line, std::string_view (&tokens)[3])
{
    int count = 0;
    size_t i = 0;
    while (i < line.size() && count < 3) {
        while (i < line.size() && IsSeparator(line[i]))
            ++i;
        if (i >= line.size())
            break;
        const size_t start = i;
        while (i < line.size() && !IsSeparator(line[i])) {
            const char c = line[i++];
            if (c == '"' || c == '\'') {
                const size_t close = line.find(c, i);
                i = close == std::string_view::npos ? line.size() : close + 1;
            }
        }
        tokens[count++] = line.substr(start, i - start);
    }
    return count;
}

namespace {

// Line numbers must fit the 16-bit program counter; anything else would
// wrap into a different line and could restart the program.
TLineFault ParseLineNumber(std::string_view text, int32_t& number)
{
    // from_chars reads a minus sign but not a plus sign.
    if (text.starts_with('+') && !text.starts_with("+-"))
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (end != text.data() + text.size() || (error != std::errc() && error != std::errc::result_out_of_range))
        return TLineFault::NumberNotWhole;
    if (error != std::errc() || number < INT16_MIN || number > INT16_MAX)
        return TLineFault::NumberOutOfRange;
    return TLineFault::None;
}

// Only asked once the token is known not to be a correctly quoted string.
TLineFault QuoteFault(std::string_view token)
{
    if (!token.starts_with('"'))
        return TLineFault::NotQuoted;
    if (token == "\"\"")
        return TLineFault::EmptyStatement;
    for (size_t i = 1; i < token.size(); ++i) {
        if (token[i] != '"')
            continue;
        if (i + 1 < token.size() && token[i + 1] == '"')
            ++i;
        else
            return TLineFault::TextAfterQuote;
    }
    return TLineFault::UnclosedQuote;
}

std::string Quote(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    quoted += '"';
    return quoted;
}

} // namespace

std::string Dequote(std::string_view token)
{
    if (token.empty() || token[0] != '"')
        return std::string(token);
    std::string text;
    for (size_t i = 1; i < token.size(); ++i) {
        if (token[i] == '"') {
            if (i + 1 < token.size() && token[i + 1] == '"') {
                text += '"';
                ++i;
                continue;
            }
            break;
        }
        text += token[i];
    }
    return text.empty() ? std::string(token) : text;
}

namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

TSplitLine SplitProgramLine(std::string_view line)
{
    TSplitLine result;
    if (line.size() < kMinimumLineLength)
        return result;
    std::string_view tokens[3];
    result.Fault = TLineFault::TooFewTokens;
    if (CutProgramTokens(line, tokens) < 3)
        return result;
    result.Fault = ParseLineNumber(tokens[0], result.Number);
    if (result.Fault != TLineFault::None)
        return result;
    if (!tokens[1].starts_with("REM")) {
        result.Fault = TLineFault::NoRem;
        return result;
    }
    const std::string statement = Dequote(tokens[2]);
    if (Quote(statement) != tokens[2]) {
        result.Fault = QuoteFault(tokens[2]);
        return result;
    }
    if (statement.starts_with("REM")) {
        result.Fault = TLineFault::StatementIsRem;
        return result;
    }
    result.Valid = true;
    result.QuotedStatement = std::string(tokens[2]);
    return result;
}

std::string RewriteStatement(std::string_view statement)
{
    struct TReplacement {
        std::string_view From;
        std::string_view To;
    };
    static constexpr TReplacement kSteps[] = {
        {"<>", "#"},          {"<=", "$"},        {">=", "!"},  {"FOR", "FZR"},       {"PORT", "PZRT"},
        {"MOTOR", "MOTZR"},   {"COLOR", "COLZR"}, {"OR", "|"},  {"FZR", "FOR"},       {"PZRT", "PORT"},
        {"MOTZR", "MOTOR"},   {"COLZR", "COLOR"}, {"NOT", "~"}, {"RANDOM", "RAZDOM"}, {"AND", "}"},
        {"RAZDOM", "RANDOM"}, {" ", ""},          {"\t", ""},
    };
    std::string text(statement);
    for (const TReplacement& step : kSteps)
        ReplaceAll(text, step.From, step.To);
    return text;
}

void PrepareProgram(const std::vector<std::string>& editorLines, std::vector<TProgramLine>& program)
{
    program.clear();
    program.reserve(editorLines.size());
    for (const std::string& line : editorLines) {
        const TSplitLine split = SplitProgramLine(line);
        if (!split.Valid) {
            program.push_back({"-1", std::string(kErrorText), std::string(kErrorText), -1});
            continue;
        }
        program.push_back({std::to_string(split.Number), split.QuotedStatement,
                           RewriteStatement(Dequote(split.QuotedStatement)), split.Number});
    }
}

} // namespace kelto
