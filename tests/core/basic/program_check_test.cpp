#include "basic_board.h"
#include "core/basic/program_check.h"
#include "core/basic/program_spans.h"
#include "statement_maker.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace kelto {
namespace {

using testing::TBasicBoard;
using testing::TStatementMaker;

const std::string kHeader = "0 REM \"KELTOBASIC\"";

TEST(ProgramCheck, EachLineFormFaultIsNamed)
{
    const std::pair<std::string, TLineFault> cases[] = {
        {"10 A=1", TLineFault::TooShort},
        {"5 REM \"\"", TLineFault::TooShort}, // eight characters decide before the quotes
        {"10     REM", TLineFault::TooFewTokens},
        {"10 REM;;;;\t", TLineFault::TooFewTokens},
        {"10x REM \"A=1\"", TLineFault::NumberNotWhole},
        {"1.5 REM \"A=1\"", TLineFault::NumberNotWhole},
        {"1-0 REM \"A=1\"", TLineFault::NumberNotWhole},
        {"32768 REM \"A=1\"", TLineFault::NumberOutOfRange},
        {"-32769 REM \"A=1\"", TLineFault::NumberOutOfRange},
        {"99999999999999 REM \"A=1\"", TLineFault::NumberOutOfRange},
        {"10 PRINT \"A\"", TLineFault::NoRem},
        {"10 rem \"A=1\"", TLineFault::NoRem},
        {"10 REM A=1", TLineFault::NotQuoted},
        {"10 REM 'A=1'", TLineFault::NotQuoted},
        {"100 REM \"\"", TLineFault::EmptyStatement},
        {"10 REM \"A=1", TLineFault::UnclosedQuote},
        {"10 REM \"A \"\"B", TLineFault::UnclosedQuote},
        {"10 REM \"A=1\"x", TLineFault::TextAfterQuote},
        {"10 REM \"\"x", TLineFault::TextAfterQuote},
        {"10 REM \"A\"B\"", TLineFault::TextAfterQuote},
        {"20 REM \"REM note\"", TLineFault::StatementIsRem},
        {"20 REMARK \"REMARK\"", TLineFault::StatementIsRem},
    };
    for (const auto& [line, fault] : cases) {
        SCOPED_TRACE(line);
        const std::vector<TLineMark> marks = CheckProgram({kHeader, line});
        ASSERT_EQ(marks.size(), 1u);
        EXPECT_EQ(marks[0], (TLineMark{1, TCheckReason::LineForm, fault, 0}));
        EXPECT_FALSE(DescribeMark(marks[0]).empty());
    }
}

TEST(ProgramCheck, CommentsAndValidLinesAreNotMarked)
{
    EXPECT_EQ(CheckProgram({kHeader, "", "   ", "这是注释 comment", "REM 10 \"A\"", "-- note",
                            "10 REM \"A = 1\"", "20 REMARK \"PRINT A\" ignored", "30;REM;\"END\""}),
              std::vector<TLineMark>{});
}

TEST(ProgramCheck, RowsTheLookupNeverFindsAreMarked)
{
    // Every lookup that could reach 20, the second 30 or the later 0 finds an
    // earlier row first; so does every lookup for -5 (the error row is -1).
    const std::vector<std::string> lines = {kHeader,          "30 REM \"A=3\"", "20 REM \"A=2\"",
                                            "30 REM \"A=4\"", "40 REM \"A=5\"", "0 REM \"A=0\"",
                                            "-5 REM \"A=6\"", "10 REM \"\"",    "50 REM \"END\""};
    const std::vector<TLineMark> expected = {
        {2, TCheckReason::Unreachable, TLineFault::None, 1},
        {3, TCheckReason::Unreachable, TLineFault::None, 1},
        {5, TCheckReason::Unreachable, TLineFault::None, 4},
        {6, TCheckReason::Unreachable, TLineFault::None, 4},
        {7, TCheckReason::LineForm, TLineFault::EmptyStatement, 0},
    };
    EXPECT_EQ(CheckProgram(lines), expected);
    EXPECT_EQ(DescribeMark(expected[0]), "这一行永远不会执行：第 2 行在前面，它的行号不比这一行小");
}

TEST(ProgramCheck, NegativeNumbersAreFoundOnlyByJumps)
{
    EXPECT_EQ(CheckProgram({"-5 REM \"A=1\"", kHeader}),
              (std::vector<TLineMark>{{0, TCheckReason::NegativeNumber, TLineFault::None, 0}}));
    // An error row counts as -1 and hides a later -5.
    EXPECT_EQ(CheckProgram({"10 REM xyz", "-5 REM \"A=1\"", kHeader}),
              (std::vector<TLineMark>{{0, TCheckReason::LineForm, TLineFault::NotQuoted, 0},
                                      {1, TCheckReason::Unreachable, TLineFault::None, 0}}));
}

TEST(ProgramCheck, HeaderIsReportedWhereRunLooksForIt)
{
    struct TCase {
        std::vector<std::string> Lines;
        std::vector<TLineMark> Marks;
    };
    const TCase cases[] = {
        {{}, {{0, TCheckReason::HeaderMissing}}},
        {{"just a note"}, {{0, TCheckReason::HeaderMissing}}},
        {{"-3 REM \"A=1\""}, {{0, TCheckReason::HeaderMissing}, {0, TCheckReason::NegativeNumber}}},
        {{"note", "0 REM \"keltobasic\"", "10 REM \"A=1\""}, {{1, TCheckReason::HeaderWrong}}},
        {{"10 REM \"A=1\"", kHeader},
         {{0, TCheckReason::HeaderWrong}, {1, TCheckReason::Unreachable, TLineFault::None, 0}}},
        {{"0 REM \"KELTO BASIC\"", "10 REM \"A=1\""}, {}},
        {{"5 REM \"KELTOBASIC\"", "10 REM \"A=1\""}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Lines));
        EXPECT_EQ(CheckProgram(c.Lines), c.Marks);
        TBasicBoard b;
        b.Basic().PrepareProgram(c.Lines);
        const bool headerMarked = std::any_of(c.Marks.begin(), c.Marks.end(), [](const TLineMark& m) {
            return m.Reason == TCheckReason::HeaderMissing || m.Reason == TCheckReason::HeaderWrong;
        });
        EXPECT_EQ(b.Basic().HeaderPresent(), !headerMarked);
    }
}

// The marks must say what Run does: error rows where preparation makes them,
// and "never runs" exactly for the rows no lookup target finds.
TEST(ProgramCheck, MarksAgreeWithPreparationAndLookupOnRandomPrograms)
{
    TStatementMaker maker(4242);
    constexpr int kNumbers[] = {-2, -1, 0, 0, 5, 10, 10, 20, 30, 32767};
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> lines;
        const int count = 1 + maker.Below(10);
        for (int i = 0; i < count; ++i) {
            // A distinct statement per valid line tells the rows apart.
            const int number = kNumbers[maker.Below(std::size(kNumbers))];
            if (maker.Below(3) == 0)
                lines.push_back(maker.MakeLine(number));
            else
                lines.push_back(std::to_string(number) + " REM \"A=" + std::to_string(i) + "\"");
        }
        SCOPED_TRACE(::testing::PrintToString(lines));
        const std::vector<TLineMark> marks = CheckProgram(lines);
        std::map<size_t, TLineMark> byLine;
        for (const TLineMark& m : marks)
            if (m.Reason != TCheckReason::HeaderMissing && m.Reason != TCheckReason::HeaderWrong) {
                EXPECT_TRUE(byLine.emplace(m.Line, m).second);
            }

        TBasicBoard b;
        b.Basic().PrepareProgram(lines);
        const std::vector<TProgramLine>& program = b.Basic().FProgram;
        // A row is told by what the lookup leaves in the statement buffer.
        const auto bufferText = [&b](const std::string& text) {
            b.Basic().FStatement.Load(text);
            return std::string(b.Basic().FStatement.Text());
        };
        std::map<std::string, int> copies;
        for (const TProgramLine& row : program)
            ++copies[bufferText(row.StatementText)];
        // The lookup's answer only changes at the rows' own numbers.
        std::set<int> targets = {INT16_MIN, INT16_MAX};
        for (const TProgramLine& row : program)
            targets.insert({row.Number, std::min(row.Number + 1, int{INT16_MAX})});
        std::set<std::string> foundTexts;
        for (const int target : targets) {
            b.Basic().FStatement.Load("\x01");
            b.Basic().FindLine(static_cast<int16_t>(target));
            foundTexts.insert(std::string(b.Basic().FStatement.Text()));
        }
        for (size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE(lines[i]);
            const auto mark = byLine.find(i);
            if (program[i].NumberText == "-1" && program[i].StatementText == "*ERROR*") {
                EXPECT_EQ(mark != byLine.end(), LooksNumbered(lines[i]));
                if (mark != byLine.end()) {
                    EXPECT_NE(mark->second.Fault, TLineFault::None);
                }
                continue;
            }
            const std::string text = bufferText(program[i].StatementText);
            if (copies[text] != 1)
                continue;
            const bool markedUnreachable =
                mark != byLine.end() && mark->second.Reason == TCheckReason::Unreachable;
            EXPECT_EQ(markedUnreachable, foundTexts.count(text) == 0);
        }
        EXPECT_EQ(b.Basic().HeaderPresent(), std::none_of(marks.begin(), marks.end(), [](const TLineMark& m) {
                      return m.Reason == TCheckReason::HeaderMissing || m.Reason == TCheckReason::HeaderWrong;
                  }));
    }
}

} // namespace
} // namespace kelto

namespace kelto {
namespace {

std::string SpanKinds(std::string_view line)
{
    static constexpr std::string_view kLetters = "cnrqkfNovt";
    std::string kinds(line.size(), '.');
    for (const TLineSpan& span : ProgramLineSpans(line))
        for (size_t i = span.Begin; i < span.Begin + span.Length; ++i)
            kinds.at(i) = kLetters.at(static_cast<size_t>(span.Kind));
    return kinds;
}

// c comment, n line number, r REM, q quote, k keyword, f function word,
// N number, o operator, v variable, t text.
TEST(ProgramSpans, LinePartsAndStatementWordsAreTold)
{
    const std::pair<std::string, std::string> cases[] = {
        {"10 REM \"FORI=1TO0x1F\"", "nn.rrr.qkkkvoNkkNNNNq"},
        {"-5;REMARK;\"PORTB PINC\"", "nn.rrrrrr.qkkkkk.ffffq"},
        {"20 REM \"IF A AND B\" end", "nn.rrr.qkk.v.ooo.vqcccc"},
        {"30 REM \"PLAY 'CDE'\"", "nn.rrr.qkkkk.tttttq"},
        {"40 REM \"A=1", "nn.rrr.qvoN"},
        {"note: 10 REM \"A\"", "cccccccccccccccc"},
        {"0 REM \"KELTOBASIC\"", "n.rrr.qkkkkkkkkkkq"},
    };
    for (const auto& [line, kinds] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(SpanKinds(line), kinds);
    }
}

} // namespace
} // namespace kelto
