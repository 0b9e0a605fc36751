// What a line is said to run as must be what it runs as: typed lines with the
// reading and the warnings they must get, the lessons without any, and the
// canonical reading executed against the original text.
#include "basic_board.h"
#include "core/basic/expression_reading.h"
#include "core/basic/program_lines.h"
#include "core/basic/program_review.h"
#include "core/basic/statement_reading.h"
#include "core/files/program_file.h"
#include "statement_maker.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kelto {
namespace {

using testing::TBasicBoard;
using testing::TStatementMaker;

const std::string kHeader = "0 REM \"KELTOBASIC\"";

std::vector<std::string> MarkTexts(const TProgramReview& review, size_t line)
{
    std::vector<std::string> texts;
    for (const TLineMark& mark : review.Marks)
        if (mark.Line == line)
            texts.push_back(DescribeMark(mark));
    return texts;
}

TEST(ProgramReview, TypedLinesReadAsTheyRunAndSayWhatWasLikelyMeant)
{
    struct TCase {
        std::string Statement;
        std::string Reading;
        std::vector<std::string> Warnings;
    };
    // Each statement is line 20 of a program whose other lines are 10 and 900.
    const TCase cases[] = {
        {"PROTB 1", "PRINT 1", {"PROTB 不是语句，这一行按 PRINT 执行；是不是想写 PORTB？"}},
        {"PRNT 5", "PRINT 0", {"PRNT 不是语句，这一行按 PRINT 执行；是不是想写 PRINT？"}},
        {"GOTOO 20", "GOTO O", {"GOTOO 不是语句：GOTO 后面的 O 被当作表达式，20 被忽略；是不是想写 GOTO？"}},
        {"portb 0", "（什么也不做）", {"portb 要写成大写的 PORTB：小写的关键字不认识，这一行什么也不做"}},
        {"LET A = 3", "LT T", {"不用写 LET，这一行按 LT 执行；直接写 A = 3"}},
        {"LET", "LT T", {"不用写 LET，这一行按 LT 执行"}},
        {"AB = 5", "（什么也不做）", {"变量名只能是一个字母，AB 不是变量；这一行什么也不做"}},
        {"a = 5", "（什么也不做）", {"变量名要大写：a 要写成 A；这一行什么也不做"}},
        {"PORTA 5", "（什么也不做）", {"PORTA 不是语句，这一行什么也不做；是不是想写 PORTB？"}},
        {"PORCT 5", "（什么也不做）", {"PORCT 不是语句，这一行什么也不做；是不是想写 PORTC？"}},
        {"5 PRINT", "（什么也不做）", {"这一行不以语句开头，这一行什么也不做"}},
        {"A = 5 +", "A = 5 + 0", {"表达式以 + 结尾，缺少的数按 0 计算"}},
        {"PRINT NOT", "PRINT NOT 0", {"表达式以 NOT 结尾，缺少的数按 0 计算"}},
        {"PRINT (2+3", "PRINT 2 + 3", {"缺少右括号 )"}},
        {"PRINT SIN(30", "PRINT SIN(30)", {"缺少右括号 )"}},
        {"PRINT 2+3)", "PRINT 2 + 3", {"多了右括号 )，后面的 ) 被忽略"}},
        {"PRINT AB", "PRINT A", {"变量名只能是一个字母：AB 按 A 读，后面的 B 被忽略"}},
        {"PRINT SIN(A)B", "PRINT SIN(A)", {"B 被忽略：表达式读到它前面就结束了"}},
        {"PRINT 0X1F", "PRINT 0", {"X1F 被忽略：表达式读到它前面就结束了"}},
        {"PRINT 017", "PRINT 15", {"017 以 0 开头，按八进制读作 15"}},
        {"PRINT a+1", "PRINT 0 + 1", {"小写字母 a 按 0 计算；变量名要大写：A"}},
        {"PRINT 2?", "PRINT 2", {"? 被忽略：表达式读到它前面就结束了"}},
        {"PRINT ?", "PRINT 0", {"? 不是表达式的一部分，按 0 计算"}},
        {"PRINT \xD6\xD0",
         "PRINT 0",
         {"汉字不是表达式的一部分，按 0 计算", "后面的汉字或符号被忽略：表达式读到它们前面就结束了"}},
        {"WAIT", "WAIT 0", {"WAIT 后面缺少表达式，按 0 计算"}},
        {"GOTO 200", "GOTO 200", {"没有行号 200：GOTO 200 会跳到行号 900"}},
        {"GOTO 1", "GOTO 1", {"没有行号 1：GOTO 1 会跳到行号 10"}},
        {"GOSUB 1000", "GOSUB 1000", {"没有行号 1000：GOSUB 1000 会让程序结束"}},
        {"IF A = 0 THEN 15", "IF A = 0 THEN 15", {"没有行号 15：THEN 15 会跳到行号 20"}},
        {"IF A=1 THEN GOTO 100",
         "IF A = 1 THEN G",
         {"THEN 后面只能写行号，不能写语句，例如 IF A = 1 THEN 100；现在会跳到变量 G 的值"}},
        {"IF A=1 THEN PRINT 5",
         "IF A = 1 THEN P",
         {"THEN 后面只能写行号，不能写语句，例如 IF A = 1 THEN 100；现在会跳到变量 P 的值"}},
        {"IF A = 1 GOTO 100", "（什么也不做）", {"IF 缺少 THEN，这一行什么也不做"}},
        {"FOR I = 1 10", "（什么也不做）", {"FOR 缺少 TO，这一行什么也不做"}},
        {"FOR TO 5",
         "（什么也不做）",
         {"FOR 的写法是 FOR 变量 = 初值 TO 终值，例如 FOR I = 1 TO 10",
          "FOR 后面要写一个大写字母作循环变量，这一行什么也不做"}},
        {"PLAY", "（什么也不做）", {"PLAY 后面没有音符，这一行什么也不做"}},
        {"MOTOR 100", "（什么也不做）", {"MOTOR 要写两个速度，用逗号隔开，这一行什么也不做"}},
        {"NEXT J", "NEXT J", {"NEXT J 前面没有 FOR J"}},
        {"RETURN", "RETURN", {"程序里没有 GOSUB，RETURN 会接着执行下一行"}},
        {"RETURN 10", "RETURN", {"RETURN 后面的 10 被忽略", "程序里没有 GOSUB，RETURN 会接着执行下一行"}},
        {"PLAY 14Z", "PLAY 14", {"PLAY 的数字要两个一组（音高、时长），最后一个没有配对，被忽略"}},
        {"PLAY 1G", "PLAY 10", {"PLAY 里的 G 不是十六进制数字，按 0 计算"}},
        {"SERVOE 1,2,3", "SERVOE 1, 2, 3", {"SERVOE 要写 6 个数，用逗号隔开；缺少的位置按 0 计算"}},
        // Clean lines: the dialect reads them as the student wrote them.
        {"GOTO 0", "GOTO 0", {}},
        {"GOTO 10", "GOTO 10", {}},
        {"A=A+1", "A = A + 1", {}},
        {"PRINT 10-3-2", "PRINT 10 - (3 - 2)", {}},
        {"PRINT 2*3 OR 4", "PRINT 2 * (3 OR 4)", {}},
        {"IF A=1 AND B=2 THEN 900", "IF A = ((1 AND B) = 2) THEN 900", {}},
        {"X = NOT B OR C", "X = (NOT B) OR C", {}},
        {"A = B = C", "A = (B = C)", {}},
        {"FOR I = 0x10 TO 20", "FOR I = 16 TO 20", {}},
        {"PORTC G+8", "PORTC G + 8", {}},
        {"PRINT PIND AND 3", "PRINT PIND AND 3", {}},
        {"V=SIN(30)+RANDOM(6)*HOUR", "V = SIN(30) + RANDOM(6) * HOUR", {}},
        {"PLAY 14145454646458", "PLAY 14145454646458", {}},
        {"SERVOX 1,2,3,4,5,6,7,8,9", "SERVOX 1, 2, 3, 4, 5, 0, 0, 0, 9", {}},
        {"FD (X)", "FD (X)", {}},
        {"LT (D)", "LT (D)", {}},
        {"IF A+1 = 5 THEN 900", "IF A + 1 = 5 THEN 900", {}},
        {"BKX", "BKX", {}},
        {"VOICEX 300", "VOICEX 300", {}},
        {"END", "END", {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Statement);
        const TProgramReview review =
            ReviewProgram({kHeader, "10 REM \"A=1\"", "20 REM \"" + c.Statement + "\"", "900 REM \"END\""});
        EXPECT_EQ(review.Readings[2], c.Reading);
        EXPECT_EQ(MarkTexts(review, 2), c.Warnings);
        EXPECT_EQ(review.Marks.size(), c.Warnings.size());
    }
}

TEST(ProgramReview, LoopsAndSubroutinesThatExistAreNotWarnedAbout)
{
    const TProgramReview review =
        ReviewProgram({kHeader, "10 REM \"FOR I = 1 TO 3\"", "20 REM \"GOSUB 100\"", "30 REM \"NEXT I\"",
                       "40 REM \"END\"", "100 REM \"RETURN\""});
    EXPECT_EQ(review.Marks, std::vector<TLineMark>{});
    EXPECT_EQ(review.Readings, (std::vector<std::string>{"KELTOBASIC", "FOR I = 1 TO 3", "GOSUB 100",
                                                         "NEXT I", "END", "RETURN"}));
}

std::vector<TCheckReason> Reasons(const TProgramReview& review)
{
    std::vector<TCheckReason> reasons;
    for (const TLineMark& mark : review.Marks)
        reasons.push_back(mark.Reason);
    return reasons;
}

// Lines that will not run get their reason alone; each line counts once,
// as the worse of its marks.
TEST(ProgramReview, LinesThatDoNotRunAreMarkedFirstAndCountedOnce)
{
    using R = TCheckReason;
    EXPECT_EQ(Reasons(ReviewProgram({"-5 REM \"PRNT 5\""})),
              (std::vector<R>{R::HeaderMissing, R::NegativeNumber, R::Slip}));
    const std::vector<std::string> lines = {
        "-5 REM \"PRNT 5\"", "note", "10 REM PRINT", "30 REM \"PRNT\"", "20 REM \"PRNT\"", "40 REM \"A=1\""};
    const TProgramReview review = ReviewProgram(lines);
    EXPECT_EQ(Reasons(review),
              (std::vector<R>{R::NegativeNumber, R::Slip, R::LineForm, R::HeaderWrong, R::Unreachable}));
    EXPECT_EQ(review.Readings, (std::vector<std::string>{"PRINT 0", "", "", "PRINT 0", "PRINT 0", "A = 1"}));
    const std::vector<TLineLevel> levels = LineLevels(review.Marks, lines.size());
    using L = TLineLevel;
    EXPECT_EQ(levels, (std::vector<L>{L::MayBeWrong, L::Clean, L::WillNotRun, L::WillNotRun, L::WillNotRun,
                                      L::Clean}));
    const TMarkedLineCount count = CountMarkedLines(levels);
    EXPECT_EQ(count.WillNotRun, 3u);
    EXPECT_EQ(count.MayBeWrong, 1u);
}

TEST(ProgramReview, LessonsReadAsWritten)
{
    int lessons = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KELTO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".txt")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        std::vector<std::string> lines;
        ASSERT_TRUE(LoadProgramFile(entry.path().string(), lines).Ok);
        const TProgramReview review = ReviewProgram(ProgramLinesAsGbk(lines));
        for (const TLineMark& mark : review.Marks)
            ADD_FAILURE() << "line " << mark.Line + 1 << ": " << DescribeMark(mark);
        ++lessons;
    }
    EXPECT_GE(lessons, 17);
}

// Expressions as students write them, with their slips now and then:
// trailing operators, missing or extra parentheses, lower case, characters
// that count as 0, hex and octal numbers, words read by their first letters.
class TExpressionMaker {
public:
    explicit TExpressionMaker(TStatementMaker& maker) : FMaker(maker) {}

    std::string Make(int depth = 0)
    {
        std::string text = Operand(depth);
        while (FMaker.Below(3) != 0) {
            text += Pick(kOperators);
            if (FMaker.Below(12) != 0)
                text += Operand(depth);
        }
        return text;
    }

private:
    static constexpr std::string_view kOperators[] = {
        "+", "-", "*", "/", "=", "<>", "<=", ">=", "<", ">", " AND ", " OR ", " - ", "*-"};
    static constexpr std::string_view kAtoms[] = {
        "1",     "7",    "255",    "32767",    "40000", "0x1F", "0X1F",   "017", "018", "0",   "A",    "B",
        "Z",     "a",    "?",      "\xD6\xD0", "ADC3",  "ADC9", "PC2",    "PCX", "JK4", "MIC", "PINB", "PINQ",
        "PORTD", "HOUR", "MINUTE", "SECOND",   "RA5",   "RAX",  "COLOR1", "COM", "LPR", "RE",  "AB",   "NOT ",
    };
    static constexpr std::string_view kCalls[] = {"SIN(", "COS(", "RANDOM(", "("};

    template <size_t N> std::string_view Pick(const std::string_view (&items)[N])
    {
        return items[static_cast<size_t>(FMaker.Below(N))];
    }

    std::string Operand(int depth)
    {
        std::string prefix = FMaker.Below(6) == 0 ? (FMaker.Below(2) == 0 ? "-" : "NOT ") : "";
        if (depth < 3 && FMaker.Below(4) == 0) {
            const int close = FMaker.Below(10);
            return prefix + std::string(Pick(kCalls)) + Make(depth + 1) +
                   (close == 0   ? ""
                    : close == 1 ? "))"
                                 : ")");
        }
        return prefix + std::string(Pick(kAtoms));
    }

    TStatementMaker& FMaker;
};

std::string MakeExpression(TStatementMaker& maker)
{
    return TExpressionMaker(maker).Make();
}

TEST(ReadingAgreement, CanonicalExpressionsEvaluateAsTheOriginals)
{
    TBasicBoard b;
    for (int v = 0; v < 26; ++v)
        b.Basic().FVariables[static_cast<size_t>(v)] = static_cast<int16_t>(v * 1237 - 9000);
    b.LocalClock.FTime = {13, 47, 59};
    b.Random.FValue = 4;
    const auto evaluate = [&b](const std::string& compact, int32_t& stop) {
        b.Basic().FStatement.Load(compact);
        b.Basic().FExprCursor = 0;
        const int16_t value = b.Basic().EvaluateExpression();
        stop = b.Basic().FExprCursor;
        return value;
    };
    TStatementMaker maker(20261210);
    int compared = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string written = MakeExpression(maker);
        const std::string compact = RewriteStatement(written);
        TStatementBuffer buffer;
        buffer.Load(compact);
        const TExpressionReading reading = ReadExpression(buffer, 0);
        SCOPED_TRACE(written + " => " + reading.Text);
        const std::string canonical = RewriteStatement(reading.Text);
        // The statement buffer holds 128 characters; brackets can push a
        // reading past them.
        if (canonical.size() > TStatementBuffer::kCapacity)
            continue;
        int32_t stop = 0;
        int32_t canonicalStop = 0;
        const int16_t value = evaluate(compact, stop);
        EXPECT_EQ(evaluate(canonical, canonicalStop), value);
        EXPECT_EQ(reading.Stop, stop);
        // The canonical text is read to its end: nothing in it is ignored.
        EXPECT_GE(canonicalStop, static_cast<int32_t>(canonical.size()));
        ++compared;
    }
    EXPECT_GT(compared, 15000);
}

// A step's visible effects, to compare two runs of one statement.
struct TStepEffects {
    std::array<int16_t, 26> Variables{};
    int16_t CurrentLine = 0;
    int16_t GosubDepth = 0;
    bool Waiting = false;
    uint8_t WaitKind = 0;
    int16_t WaitCount = 0;
    int16_t KeyShift = 0;
    std::array<int16_t, 26> ForLimit{};
    std::vector<std::string> Log;
    std::vector<std::string> Tunes;
    std::vector<std::string> Clips;
    std::vector<std::tuple<int, int, int, double>> Pins;
    bool operator==(const TStepEffects&) const = default;
};

TStepEffects RunOneStatement(const std::string& compact)
{
    TBasicBoard b;
    b.RunStatements({});
    for (int v = 0; v < 26; ++v)
        b.Basic().FVariables[static_cast<size_t>(v)] = static_cast<int16_t>(v * 3 - 20);
    b.Basic().FProgram = {{"0", "", "KELTOBASIC", 0}, {"10", "", compact, 10}, {"20", "", "END", 20}};
    b.Basic().FCurrentLine = 10;
    b.Tick();
    TBasicInterpreter& basic = b.Basic();
    TStepEffects effects{basic.FVariables, basic.FCurrentLine, basic.FGosubDepth, basic.FWaiting,
                         basic.FWaitKind,  basic.FWaitCount,   basic.FKeyShift,   basic.FForLimit,
                         b.LogTexts(),     b.Tone.FStrings,    b.Wave.FAsync,     {}};
    for (int entry = 0; entry < kPortDBase + 8; ++entry)
        if (const TSimuPortInfo* record = b.Board.Engine().McuPortRecord(entry))
            effects.Pins.emplace_back(entry, record->FKind, record->FLevel, record->FValue);
    return effects;
}

std::string MakeStatement(TStatementMaker& maker)
{
    constexpr std::string_view kWords[] = {
        "A=",     "I=",     "PRINT ", "PORTB ", "DDRC ",  "GOTO ",   "GOSUB ",  "IF ",     "THEN",
        "FOR I=", "TO",     "NEXT I", "WAIT ",  "LED ",   "KEY ",    "MOTOR ",  "FD ",     "BK ",
        "LT ",    "RT ",    "FDX",    "STX",    "PLAY ",  "VOICEX ", "SERVOE ", "SERVOX ", "SEXY ",
        "TA ",    "RETURN", "END",    ",",      "PROTB ", "LET ",
    };
    std::string text;
    const int pieces = 1 + maker.Below(4);
    for (int i = 0; i < pieces; ++i)
        text += maker.Below(2) == 0 ? std::string(kWords[static_cast<size_t>(maker.Below(std::size(kWords)))])
                                    : MakeExpression(maker);
    return text;
}

TEST(ReadingAgreement, StatementsDoWhatTheirReadingsSay)
{
    TStatementMaker maker(1210);
    int compared = 0;
    for (int round = 0; round < 8000; ++round) {
        const std::string written = round % 3 == 0 ? maker.Make() : MakeStatement(maker);
        const std::string compact = RewriteStatement(written);
        const TStatementReading reading = ReadStatement(written, compact);
        // Lines that do nothing are said to in words, not in a statement.
        if (reading.Text.starts_with("（"))
            continue;
        const std::string canonical = RewriteStatement(reading.Text);
        if (compact.size() > TStatementBuffer::kCapacity || canonical.size() > TStatementBuffer::kCapacity)
            continue;
        SCOPED_TRACE(::testing::PrintToString(written) + " => " + reading.Text);
        EXPECT_EQ(RunOneStatement(canonical), RunOneStatement(compact));
        ++compared;
    }
    EXPECT_GT(compared, 2500);
}

} // namespace
} // namespace kelto
