#include "basic_board.h"
#include "core/basic/program_lines.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using testing::TBasicBoard;

TEST(ProgramLines, SplitAcceptsOnlyTheNumberRemQuotedForm)
{
    struct TCase {
        std::string Line;
        bool Valid;
        int32_t Number;
        std::string Quoted;
    };
    const TCase cases[] = {
        {"10 REM \"FOR I = 1 TO 10\"", true, 10, "\"FOR I = 1 TO 10\""},
        {"0 REM \"KELTOBASIC\"", true, 0, "\"KELTOBASIC\""},
        {"5 REM \"A\"", true, 5, "\"A\""}, // nine characters
        {"5 REM \"\"", false, 0, ""},      // eight characters
        {"50 REM \"\"", false, 0, ""},     // empty statement
        {"10 REM A=1", false, 0, ""},      // not quoted
        {"10 REM \"A=1\"x", false, 0, ""}, // text after the closing quote
        {"10 REMARK \"A=1\"", true, 10, "\"A=1\""},
        {"10;REM;\"A=1\"", true, 10, "\"A=1\""},
        {"10\tREM\t\t\"A=1\"", true, 10, "\"A=1\""},
        {"10 REM \"A=1\" anything", true, 10, "\"A=1\""},
        {"  10   REM   \"A = 1\"  ", true, 10, "\"A = 1\""},
        {"20 REM \"REM note\"", false, 0, ""}, // a comment is simply not a valid line
        {"10 rem \"A=1\"", false, 0, ""},      // REM is case-sensitive
        {"x10 REM \"A=1\"", false, 0, ""},
        {"+10 REM \"A=1\"", true, 10, "\"A=1\""},
        {"-10 REM \"A=1\"", true, -10, "\"A=1\""},
        {"+-10 REM \"A=1\"", false, 0, ""},
        {"32767 REM \"A=1\"", true, 32767, "\"A=1\""},
        {"32768 REM \"A=1\"", false, 0, ""}, // beyond the 16-bit program counter
        {"99999999999 REM \"A=1\"", false, 0, ""},
        {"10 REM 'A=1'", false, 0, ""}, // single quotes do not quote a statement
        {"10 REM \"PRINT 'a;b'\"", true, 10, "\"PRINT 'a;b'\""},
        {"10 'REM x' \"A=1\"", false, 0, ""}, // quoted second token does not begin with REM
        {"10 REM \"A \"\"B\"\" C\"", true, 10, "\"A \"\"B\"\" C\""}, // doubled quotes stand for one
        {"10 REM \"A=1", false, 0, ""},                              // unterminated quote
        {"10 REM", false, 0, ""},
        {"10 REM        ", false, 0, ""},
        {"10 REM \"\xD6\xD0\xCE\xC4\"", true, 10, "\"\xD6\xD0\xCE\xC4\""}, // GBK statement
        {"10 REM'a b' \"PRINT 1\"", true, 10, "\"PRINT 1\""},      // a single-quoted blank splits nothing
        {"10 RE'M x' \"A=1\"", false, 0, ""},                       // ...but REM must still lead the token
        {"-32768 REM \"A=1\"", true, -32768, "\"A=1\""},
        {"-32769 REM \"A=1\"", false, 0, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Line);
        const TSplitLine split = SplitProgramLine(c.Line);
        EXPECT_EQ(split.Valid, c.Valid);
        if (c.Valid) {
            EXPECT_EQ(split.Number, c.Number);
            EXPECT_EQ(split.QuotedStatement, c.Quoted);
        }
    }
}

TEST(ProgramLines, RewritingCompactsOperatorsAndKeepsProtectedWords)
{
    const std::pair<std::string, std::string> cases[] = {
        {"FOR I = 1 TO 10", "FORI=1TO10"},
        {"IF A <> B THEN 100", "IFA#BTHEN100"},
        {"IF A >= 5 AND B < 3 THEN 200", "IFA!5}B<3THEN200"},
        {"A = NOT B OR C", "A=~B|C"},
        {"X = RANDOM(6)", "X=RANDOM(6)"},
        {"PORTB 255", "PORTB255"},
        {"MOTOR 1,2", "MOTOR1,2"},
        {"A = COLOR", "A=COLOR"},
        {"A = B <= C", "A=B$C"},
        {"IF A\tOR B THEN 5", "IFA|BTHEN5"},
        {"A = ORB", "A=|B"},
        {"A = BAND", "A=B}"},
        {"PRINT 1", "PRINT1"},
        {"A = 5 <> 6 <= 7 >= 8", "A=5#6$7!8"},
        {"A = 1 < > 2", "A=1<>2"}, // blanks go last, after the operators were looked for
        {"A<><>B", "A##B"},        // adjacent occurrences are each replaced
        {"A  B\t\tC", "ABC"},
        {"A<<>B", "A<#B"},
        {"FORFOR", "FORFOR"},
    };
    for (const auto& [statement, compact] : cases) {
        SCOPED_TRACE(statement);
        EXPECT_EQ(RewriteStatement(statement), compact);
    }
}

TEST(ProgramLines, PreparationKeepsOneRowPerLineWithErrorRows)
{
    std::vector<TProgramLine> program;
    PrepareProgram({"0 REM \"KELTOBASIC\"", "", "10 REM \"A = 1\"", "junk", "-5 REM \"PRINT 2\""}, program);
    const std::vector<TProgramLine> expected = {
        {"0", "\"KELTOBASIC\"", "KELTOBASIC", 0}, {"-1", "*ERROR*", "*ERROR*", -1},
        {"10", "\"A = 1\"", "A=1", 10},           {"-1", "*ERROR*", "*ERROR*", -1},
        {"-5", "\"PRINT 2\"", "PRINT2", -5},
    };
    EXPECT_EQ(program, expected);
}

TEST(ProgramLines, FindLineTakesTheFirstRowNotBelowTheTargetInEditorOrder)
{
    TBasicBoard b;
    b.Basic().PrepareProgram({"0 REM \"KELTOBASIC\"", "30 REM \"THIRTY\"", "20 REM \"TWENTY\"",
                              "30 REM \"AGAIN\"", "bad line", "10 REM \"TEN\""});
    struct TCase {
        int16_t Target;
        int16_t Found;
        std::string Statement;
    };
    const TCase cases[] = {
        {0, 0, "KELTOBASIC"},  {1, 30, "THIRTY"},         {25, 30, "THIRTY"},
        {30, 30, "THIRTY"},    {31, -1, "THIRTY"}, // not found: the buffer keeps the last statement
        {-1, 0, "KELTOBASIC"}, {-32768, 0, "KELTOBASIC"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Target);
        EXPECT_EQ(b.Basic().FindLine(c.Target), c.Found);
        EXPECT_EQ(b.Basic().FStatement.Text(), c.Statement);
    }
}

TEST(ProgramLines, ErrorRowsAreOnlyFoundForNegativeTargets)
{
    TBasicBoard b;
    b.Basic().PrepareProgram({"oops", "10 REM \"TEN\""});
    EXPECT_EQ(b.Basic().FindLine(0), 10);
    EXPECT_EQ(b.Basic().FindLine(-1), -1);
    EXPECT_EQ(b.Basic().FStatement.Text(), "*ERROR*");
}

TEST(ProgramLines, StatementIsCutToItsFirst128Characters)
{
    TBasicBoard b;
    const std::string longStatement = "A=1" + std::string(127, '+') + "9";
    b.Basic().PrepareProgram({"10 REM \"" + longStatement + "\""});
    ASSERT_EQ(b.Basic().FindLine(10), 10);
    EXPECT_EQ(b.Basic().FStatement.Text(), longStatement.substr(0, 128));
}

TEST(ProgramLines, HeaderCheckComparesTheCompactStatementExactly)
{
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"0 REM \"KELTOBASIC\""}, true},
        {{"0 REM \"KELTO BASIC\""}, true},
        {{"0 REM \"keltobasic\""}, false},
        {{"0 REM \"KELTOBASIC \"", "1 REM \"A=1\""}, true},
        {{"10 REM \"KELTOBASIC\""}, true}, // the first row numbered 0 or more
        {{"5 REM \"A=1\"", "0 REM \"KELTOBASIC\""}, false},
        {{"-3 REM \"A=1\"", "0 REM \"KELTOBASIC\""}, true},
        {{"0 REM \"KELTOBASIC1\""}, false},
        {{}, false},
    };
    for (const auto& [lines, present] : cases) {
        SCOPED_TRACE(lines.empty() ? std::string("(empty)") : lines[0]);
        TBasicBoard b;
        b.Basic().PrepareProgram(lines);
        EXPECT_EQ(b.Basic().HeaderPresent(), present);
    }
}

} // namespace
} // namespace kelto
