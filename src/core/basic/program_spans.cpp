#include "core/basic/program_spans.h"

#include "core/basic/program_check.h"
#include "core/basic/program_lines.h"

namespace kelto {

namespace {

// Longer spellings first, so PORTB is not read as PO + RTB.
constexpr std::string_view kKeywords[] = {
    "GOSUB", "RETURN", "VOICEX", "SERVOE", "SERVOX", "MOTOR", "PORTB", "PORTC", "PORTD", "CLOCK", "PRINT",
    "GOTO",  "THEN",   "NEXT",   "WAIT",   "DDRB",   "DDRC",  "DDRD",  "PLAY",  "SEXY",  "SEPC",  "SEBG",
    "FOR",   "END",    "LED",    "KEY",    "FDX",    "BKX",   "LTX",   "RTX",   "STX",   "SEW",   "IF",
    "TO",    "FD",     "BK",     "LT",     "RT",     "TA",    "TR",    "PU",    "PD",
};
constexpr std::string_view kFunctions[] = {
    "RANDOM", "MINUTE", "SECOND", "COLOR", "HOUR", "PINB", "PINC", "PIND", "ADC", "COS",
    "SIN",    "MIC",    "PCX",    "JKX",   "LPR",  "COM",  "PC",   "JK",   "RA",  "RE",
};
constexpr std::string_view kOperatorWords[] = {"AND", "NOT", "OR"};
constexpr std::string_view kOperators = "+-*/=<>()~|}$!#,";

bool IsUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

template <size_t N> size_t MatchWord(std::string_view text, const std::string_view (&words)[N])
{
    for (std::string_view word : words)
        if (text.starts_with(word))
            return word.size();
    return 0;
}

void AddStatementSpans(std::string_view statement, size_t offset, std::vector<TLineSpan>& spans)
{
    if (statement == "KELTOBASIC") {
        spans.push_back({offset, statement.size(), TSpanKind::Keyword});
        return;
    }
    size_t i = 0;
    while (i < statement.size()) {
        const std::string_view rest = statement.substr(i);
        const char c = rest[0];
        size_t length = 1;
        TSpanKind kind = TSpanKind::Text;
        if (IsUpper(c)) {
            kind = TSpanKind::Keyword;
            length = MatchWord(rest, kKeywords);
            if (length == 0 && (length = MatchWord(rest, kFunctions)) != 0)
                kind = TSpanKind::Function;
            if (length == 0 && (length = MatchWord(rest, kOperatorWords)) != 0)
                kind = TSpanKind::Operator;
            if (length == 0) {
                kind = TSpanKind::Variable;
                length = 1;
            }
        } else if (IsDigit(c)) {
            kind = TSpanKind::Number;
            const bool hex = rest.starts_with("0x") || rest.starts_with("0X");
            length = hex ? 2 : 1;
            while (length < rest.size() &&
                   (IsDigit(rest[length]) ||
                    (hex && std::string_view("abcdefABCDEF").find(rest[length]) != std::string_view::npos)))
                ++length;
        } else if (c == '\'') {
            const size_t close = rest.find('\'', 1);
            length = close == std::string_view::npos ? rest.size() : close + 1;
        } else if (kOperators.find(c) != std::string_view::npos) {
            kind = TSpanKind::Operator;
        } else if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (!spans.empty() && spans.back().Kind == kind && kind == TSpanKind::Text &&
            spans.back().Begin + spans.back().Length == offset + i)
            spans.back().Length += length;
        else
            spans.push_back({offset + i, length, kind});
        i += length;
    }
}

} // namespace

std::vector<TLineSpan> ProgramLineSpans(std::string_view line)
{
    std::vector<TLineSpan> spans;
    if (!LooksNumbered(line)) {
        if (!line.empty())
            spans.push_back({0, line.size(), TSpanKind::Comment});
        return spans;
    }
    std::string_view tokens[3];
    const int count = CutProgramTokens(line, tokens);
    const auto at = [&line](std::string_view token) {
        return static_cast<size_t>(token.data() - line.data());
    };
    spans.push_back({at(tokens[0]), tokens[0].size(), TSpanKind::LineNumber});
    if (count >= 2 && tokens[1].starts_with("REM"))
        spans.push_back({at(tokens[1]), tokens[1].size(), TSpanKind::RemWord});
    if (count < 3)
        return spans;
    const std::string_view statement = tokens[2];
    if (statement.starts_with('"')) {
        spans.push_back({at(statement), 1, TSpanKind::Quote});
        const bool closed = statement.size() > 1 && statement.back() == '"';
        AddStatementSpans(statement.substr(1, statement.size() - (closed ? 2 : 1)), at(statement) + 1, spans);
        if (closed)
            spans.push_back({at(statement) + statement.size() - 1, 1, TSpanKind::Quote});
    }
    const size_t end = at(statement) + statement.size();
    if (line.find_first_not_of(" \t;", end) != std::string_view::npos)
        spans.push_back({end, line.size() - end, TSpanKind::Comment});
    return spans;
}

} // namespace kelto
