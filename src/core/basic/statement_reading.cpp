#include "core/basic/statement_reading.h"

#include "core/basic/basic_value.h"
#include "core/basic/expression_reading.h"
#include "core/basic/statement_words.h"

#include <algorithm>

namespace kelto {

namespace {

using K = TStatementKind;

constexpr std::string_view kDoesNothing = "（什么也不做）";
constexpr std::string_view kNoEffect = "（不起作用）";

bool IsAsciiText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string_view SkipBlanks(std::string_view text)
{
    const size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

std::string DriveWord(std::string_view timed, bool untimed)
{
    return untimed ? std::string(timed) + "X" : std::string(timed);
}

bool IsPortLetter(uint8_t c)
{
    return c == 'B' || c == 'C' || c == 'D';
}

class TStatementReader {
public:
    TStatementReader(std::string_view written, std::string_view compact) : FWritten(written)
    {
        FBuffer.Load(compact);
        FCompact = std::string(FBuffer.Text());
        FLayout = LayOutStatement(FBuffer);
        // Each expression is read with the terminators the interpreter has
        // placed by the time it reads it.
        if (!FLayout.Stops)
            for (int i = 0; i < FLayout.ExpressionCount; ++i) {
                const TExpressionSpan& span = FLayout.Expressions[static_cast<size_t>(i)];
                if (span.Terminator >= 0)
                    FBuffer.Terminate(span.Terminator);
                const bool afterEquals = i == 0 && (FLayout.Kind == K::Assign || FLayout.Kind == K::For);
                FExpressions.push_back(ReadExpression(FBuffer, span.Begin, afterEquals));
            }
        FWord = CanonicalWord();
        FActs = Acts();
    }

    TStatementReading Read()
    {
        TStatementReading reading;
        reading.Layout = FLayout;
        reading.Text = Compose();
        const bool wordWritten = WordWritten();
        if (!wordWritten)
            WordSlip();
        StopSlip();
        if (FActs)
            for (size_t i = 0; i < FExpressions.size(); ++i)
                ExpressionSlips(i, wordWritten);
        if (FLayout.Kind == K::Play)
            PlaySlips();
        if (FLayout.Kind == K::Servos && FLayout.ExpressionCount < 6)
            Slip(FWord + " 要写 6 个数，用逗号隔开；缺少的位置按 0 计算");
        reading.Jump = Jump();
        reading.Slips = std::move(FSlips);
        return reading;
    }

private:
    const std::string& Expression(size_t i) const { return FExpressions[i].Text; }

    void Slip(std::string text) { FSlips.push_back(std::move(text)); }

    std::string CanonicalWord() const
    {
        const bool untimed = FLayout.Untimed;
        const auto port = [this](std::string_view word) {
            return std::string(word) + static_cast<char>(FLayout.Letter);
        };
        switch (FLayout.Kind) {
        case K::Header: return "KELTOBASIC";
        case K::Forward: return DriveWord("FD", untimed);
        case K::Backward: return DriveWord("BK", untimed);
        case K::Left: return DriveWord("LT", untimed);
        case K::Right: return DriveWord("RT", untimed);
        case K::StopDrive: return "STX";
        case K::Clock: return "CLOCK";
        case K::PortDirection: return IsPortLetter(FLayout.Letter) ? port("DDR") : "";
        case K::PortOutput: return IsPortLetter(FLayout.Letter) ? port("PORT") : "";
        case K::End: return "END";
        case K::For: return "FOR";
        case K::Gosub: return "GOSUB";
        case K::Goto: return "GOTO";
        case K::If: return "IF";
        case K::Key: return "KEY";
        case K::Led: return "LED";
        case K::Motor: return "MOTOR";
        case K::Next: return "NEXT";
        case K::Play: return "PLAY";
        case K::Print: return "PRINT";
        case K::Return: return "RETURN";
        case K::Servos: return untimed ? "SERVOX" : "SERVOE";
        case K::Voice: return "VOICEX";
        case K::Wait: return "WAIT";
        case K::Nothing:
        case K::Assign:
        case K::Accepted:
        case K::Evaluated: break;
        }
        return "";
    }

    int32_t NotePairs() const { return std::max(0, FBuffer.Length() - FLayout.WordEnd) / 2; }

    bool Acts() const
    {
        if (FLayout.Stops || FLayout.Kind == K::Nothing || FLayout.Kind == K::Accepted ||
            FLayout.Kind == K::Evaluated)
            return false;
        if (FLayout.Kind == K::Play)
            return NotePairs() > 0;
        return FLayout.Kind == K::Assign || FLayout.Kind == K::Header || !FWord.empty();
    }

    std::string RunsAs() const
    {
        if (FActs)
            return FLayout.Kind == K::Assign ? "这一行是赋值" : "这一行按 " + FWord + " 执行";
        if (FLayout.Kind == K::Accepted || FLayout.Kind == K::Evaluated)
            return "这一行不起作用";
        return "这一行什么也不做";
    }

    // A timed drive whose count starts with X (or D after L) would be read
    // as another statement once the blanks are gone.
    std::string DriveCount() const
    {
        const std::string& count = Expression(0);
        const bool clash = count[0] == 'X' || (FLayout.Kind == K::Left && count[0] == 'D');
        return clash ? "(" + count + ")" : count;
    }

    std::string Notes() const
    {
        std::string notes;
        for (int32_t i = 0; i < 2 * NotePairs(); ++i) {
            const int digit = HexDigitValue(FBuffer.At(FLayout.WordEnd + i));
            notes += "0123456789ABCDEF"[std::max(digit, 0)];
        }
        return notes;
    }

    std::string Servos() const
    {
        std::string text = FWord + " ";
        const int last = FLayout.ExpressionCount - 1;
        for (int i = 0; i < last; ++i)
            text += Expression(static_cast<size_t>(i)) + ", ";
        // The X form skips up to three fields unread after the fifth position.
        if (FLayout.Untimed && last == 5) {
            const int32_t from = FLayout.Expressions[4].Terminator + 1;
            const int32_t to = FLayout.Expressions[5].Begin;
            for (int32_t p = from; p < to; ++p)
                if (FCompact[static_cast<size_t>(p)] == ',')
                    text += "0, ";
        }
        return text + Expression(static_cast<size_t>(last));
    }

    std::string Compose() const
    {
        if (!FActs) {
            if (FLayout.Kind == K::Accepted || FLayout.Kind == K::Evaluated)
                return std::string(kNoEffect);
            return std::string(kDoesNothing);
        }
        const std::string letter(1, static_cast<char>(FLayout.Letter));
        switch (FLayout.Kind) {
        case K::Assign: return letter + " = " + Expression(0);
        case K::Forward:
        case K::Backward:
        case K::Left:
        case K::Right: return FLayout.Untimed ? FWord : FWord + " " + DriveCount();
        case K::For: return "FOR " + letter + " = " + Expression(0) + " TO " + Expression(1);
        case K::If: return "IF " + Expression(0) + " THEN " + Expression(1);
        case K::Motor: return "MOTOR " + Expression(0) + ", " + Expression(1);
        case K::Next: return "NEXT " + letter;
        case K::Play: return "PLAY " + Notes();
        case K::Servos: return Servos();
        case K::PortDirection:
        case K::PortOutput:
        case K::Gosub:
        case K::Goto:
        case K::Key:
        case K::Led:
        case K::Print:
        case K::Voice:
        case K::Wait: return FWord + " " + Expression(0);
        default: return FWord;
        }
    }

    // Whether the compact text spells the statement's word as written.
    bool WordWritten() const
    {
        const std::string_view compact = FCompact;
        switch (FLayout.Kind) {
        case K::Header:
        case K::Assign: return true;
        case K::For: return compact.starts_with("FOR") && FBuffer.At(4) == '=';
        case K::Next:
            return FLayout.Stops ? compact == "NEXT" : compact == "NEXT" + std::string(1, FLayout.Letter);
        case K::End:
        case K::Return:
        case K::StopDrive:
        case K::Clock: return compact == FWord;
        case K::Play: return compact.starts_with(FWord);
        default:
            if (FWord.empty())
                return false;
            if (FLayout.Untimed && FLayout.Kind != K::Servos)
                return compact == FWord;
            return compact.substr(0, static_cast<size_t>(FLayout.WordEnd)) == FWord;
        }
    }

    std::string_view TypedWord() const
    {
        const std::string_view text = SkipBlanks(FWritten);
        size_t length = 0;
        while (length < text.size() && IsLetter(text[length]))
            ++length;
        return text.substr(0, length);
    }

    void WordSlip()
    {
        const std::string_view typed = TypedWord();
        const std::string upper = Upper(typed);
        const std::string_view after = SkipBlanks(SkipBlanks(FWritten).substr(typed.size()));
        const std::string runs = RunsAs();
        const std::string typedText(typed);
        if (upper == "LET") {
            const bool shown = !after.empty() && IsAsciiText(std::string(after));
            Slip("不用写 LET，" + runs + (shown ? "；直接写 " + std::string(after) : ""));
        } else if (!typed.empty() && after.starts_with('=')) {
            Slip(typed.size() > 1 ? "变量名只能是一个字母，" + typedText + " 不是变量；" + runs
                                  : "变量名要大写：" + typedText + " 要写成 " + upper + "；" + runs);
        } else if (typed.empty()) {
            Slip("这一行不以语句开头，" + runs);
        } else if (typedText != upper && (IsStatementWord(upper) || upper == FWord)) {
            Slip(typedText + " 要写成大写的 " + upper + "：小写的关键字不认识，" + runs);
        } else if (typedText == FWord && FLayout.Kind == K::For) {
            Slip("FOR 的写法是 FOR 变量 = 初值 TO 终值，例如 FOR I = 1 TO 10");
        } else if (typedText == FWord) {
            const size_t kept = FWord.size() + (FLayout.Kind == K::Next ? 1 : 0);
            const std::string rest = FCompact.substr(std::min(kept, FCompact.size()));
            Slip(FWord + " 后面的" + (IsAsciiText(rest) ? " " + rest + " " : "文字") + "被忽略");
        } else {
            Slip(typedText + " 不是语句，" + runs + "；是不是想写 " +
                 std::string(NearestStatementWord(upper)) + "？");
        }
    }

    void StopSlip()
    {
        if (!FLayout.Stops)
            return;
        switch (FLayout.Kind) {
        case K::If: Slip("IF 缺少 THEN，这一行什么也不做"); break;
        case K::For:
            Slip(FLayout.SplitMark < 0 ? "FOR 缺少 TO，这一行什么也不做"
                                       : "FOR 后面要写一个大写字母作循环变量，这一行什么也不做");
            break;
        case K::Motor: Slip("MOTOR 要写两个速度，用逗号隔开，这一行什么也不做"); break;
        case K::Next: Slip("NEXT 后面要写一个大写字母作循环变量，这一行什么也不做"); break;
        default: break;
        }
    }

    // What the interpreter skips after the point where the expression ends.
    std::string IgnoredSlip(size_t i, const std::string& rest) const
    {
        const TExpressionReading& reading = FExpressions[i];
        if (!IsAsciiText(rest))
            return "后面的汉字或符号被忽略：表达式读到它们前面就结束了";
        if (rest[0] == ')')
            return "多了右括号 )，后面的 " + rest + " 被忽略";
        if (reading.EndsWithVariable && rest[0] >= 'A' && rest[0] <= 'Z') {
            const std::string variable(1, static_cast<char>(FBuffer.At(reading.Stop - 1)));
            size_t letters = 0;
            while (letters < rest.size() && IsLetter(rest[letters]))
                ++letters;
            return "变量名只能是一个字母：" + variable + rest.substr(0, letters) + " 按 " + variable +
                   " 读，后面的 " + rest + " 被忽略";
        }
        return rest + " 被忽略：表达式读到它前面就结束了";
    }

    void ExpressionSlips(size_t i, bool wordWritten)
    {
        const TExpressionReading& reading = FExpressions[i];
        const TExpressionSpan& span = FLayout.Expressions[i];
        for (const std::string& slip : reading.Slips)
            Slip(slip);
        const bool explained = i == 0 && !wordWritten;
        if (reading.Empty && !explained)
            Slip(FWord.empty() ? "缺少表达式，按 0 计算" : FWord + " 后面缺少表达式，按 0 计算");
        const int32_t end = span.Terminator >= 0 ? span.Terminator : FBuffer.Length();
        if (reading.Stop >= end || explained)
            return;
        const std::string rest =
            FCompact.substr(static_cast<size_t>(reading.Stop), static_cast<size_t>(end - reading.Stop));
        const std::string_view from = std::string_view(FCompact).substr(static_cast<size_t>(span.Begin));
        const std::string_view typed = TypedWord();
        if (FLayout.Kind == K::If && i == 1 && StartsWithStatementWord(from))
            Slip("THEN 后面只能写行号，不能写语句，例如 IF A = 1 THEN 100；现在会跳到变量 " +
                 std::string(1, from[0]) + " 的值");
        else if (i == 0 && typed.size() > FWord.size() && typed.starts_with(FWord) && !FWord.empty())
            Slip(std::string(typed) + " 不是语句：" + FWord + " 后面的 " +
                 std::string(typed.substr(FWord.size())) + " 被当作表达式" +
                 (IsAsciiText(rest) ? "，" + rest + " 被忽略" : "") + "；是不是想写 " + FWord + "？");
        else
            Slip(IgnoredSlip(i, rest));
    }

    void PlaySlips()
    {
        if (NotePairs() == 0) {
            Slip("PLAY 后面没有音符，这一行什么也不做");
            return;
        }
        for (int32_t i = 0; i < 2 * NotePairs(); ++i)
            if (const uint8_t c = FBuffer.At(FLayout.WordEnd + i); HexDigitValue(c) < 0) {
                Slip(IsAsciiText(std::string(1, static_cast<char>(c)))
                         ? "PLAY 里的 " + std::string(1, static_cast<char>(c)) +
                               " 不是十六进制数字，按 0 计算"
                         : "PLAY 里的汉字或符号不是十六进制数字，按 0 计算");
                break;
            }
        if ((FBuffer.Length() - FLayout.WordEnd) % 2 != 0)
            Slip("PLAY 的数字要两个一组（音高、时长），最后一个没有配对，被忽略");
    }

    TJumpReading Jump() const
    {
        size_t index = 0;
        std::string word;
        switch (FLayout.Kind) {
        case K::Goto: word = "GOTO"; break;
        case K::Gosub: word = "GOSUB"; break;
        case K::If:
            word = "THEN";
            index = 1;
            break;
        default: return {};
        }
        if (!FActs || index >= FExpressions.size())
            return {};
        const TExpressionReading& target = FExpressions[index];
        return {target.IsNumber, target.Number, word + " " + target.Text};
    }

    std::string_view FWritten;
    TStatementBuffer FBuffer;
    std::string FCompact;
    TStatementLayout FLayout;
    std::vector<TExpressionReading> FExpressions;
    std::string FWord;
    bool FActs = false;
    std::vector<std::string> FSlips;
};

} // namespace

TStatementReading ReadStatement(std::string_view written, std::string_view compact)
{
    return TStatementReader(written, compact).Read();
}

} // namespace kelto
