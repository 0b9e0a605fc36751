#include "core/basic/program_review.h"

#include "core/basic/statement_reading.h"

#include <algorithm>

namespace kelto {

namespace {

// Where a jump to target lands: as the step does it, the first row in
// editor order numbered at or above the target.
std::string JumpSlip(const std::vector<TProgramLine>& program, const TJumpReading& jump)
{
    // GOTO 0 is how a program ends on purpose.
    if (!jump.Known || jump.Target == 0)
        return {};
    const std::string missing = "没有行号 " + std::to_string(jump.Target) + "：" + jump.Spelled;
    const auto found = std::find_if(program.begin(), program.end(),
                                    [&](const TProgramLine& row) { return row.Number >= jump.Target; });
    // Stepping on from the lowest target lands past the highest line number.
    if (found == program.end() || jump.Target == INT16_MIN)
        return missing + " 会让程序结束";
    if (found->Number == jump.Target)
        return {};
    return missing + " 会跳到行号 " + std::to_string(found->Number);
}

// The header line's own reason says all: it must be the header exactly.
bool StopsTheLine(const TLineMark& mark)
{
    return mark.Reason == TCheckReason::LineForm || mark.Reason == TCheckReason::Unreachable ||
           mark.Reason == TCheckReason::HeaderWrong;
}

} // namespace

TProgramReview ReviewProgram(const std::vector<std::string>& gbkLines)
{
    TProgramReview review;
    review.Marks = CheckProgram(gbkLines);
    std::vector<TProgramLine> program;
    PrepareProgram(gbkLines, program);

    std::vector<TStatementReading> readings(program.size());
    uint32_t forLetters = 0;
    bool anyGosub = false;
    for (size_t i = 0; i < program.size(); ++i) {
        if (program[i].QuotedStatement == "*ERROR*")
            continue;
        readings[i] = ReadStatement(Dequote(program[i].QuotedStatement), program[i].StatementText);
        const TStatementLayout& layout = readings[i].Layout;
        if (layout.Kind == TStatementKind::For && !layout.Stops)
            forLetters |= 1u << (layout.Letter - 'A');
        anyGosub = anyGosub || layout.Kind == TStatementKind::Gosub;
    }

    review.Readings.resize(gbkLines.size());
    for (size_t i = 0; i < program.size(); ++i) {
        TStatementReading& reading = readings[i];
        review.Readings[i] = reading.Text;
        const bool stopped =
            std::any_of(review.Marks.begin(), review.Marks.end(),
                        [i](const TLineMark& mark) { return mark.Line == i && StopsTheLine(mark); });
        if (reading.Text.empty() || stopped)
            continue;
        std::vector<std::string>& slips = reading.Slips;
        if (std::string slip = JumpSlip(program, reading.Jump); !slip.empty())
            slips.push_back(std::move(slip));
        const TStatementLayout& layout = reading.Layout;
        if (layout.Kind == TStatementKind::Next && !layout.Stops &&
            (forLetters >> (layout.Letter - 'A') & 1u) == 0) {
            const std::string letter(1, static_cast<char>(layout.Letter));
            slips.push_back("NEXT " + letter + " 前面没有 FOR " + letter);
        }
        if (layout.Kind == TStatementKind::Return && !anyGosub)
            slips.push_back("程序里没有 GOSUB，RETURN 会接着执行下一行");
        for (std::string& slip : slips)
            review.Marks.push_back({i, TCheckReason::Slip, TLineFault::None, 0, std::move(slip)});
    }
    std::stable_sort(review.Marks.begin(), review.Marks.end(), [](const TLineMark& a, const TLineMark& b) {
        return a.Line != b.Line ? a.Line < b.Line : !IsWarning(a) && IsWarning(b);
    });
    return review;
}

std::vector<TLineLevel> LineLevels(const std::vector<TLineMark>& marks, size_t lineCount)
{
    std::vector<TLineLevel> levels(lineCount, TLineLevel::Clean);
    for (const TLineMark& mark : marks) {
        if (mark.Reason == TCheckReason::HeaderMissing || mark.Line >= lineCount)
            continue;
        levels[mark.Line] =
            std::max(levels[mark.Line], IsWarning(mark) ? TLineLevel::MayBeWrong : TLineLevel::WillNotRun);
    }
    return levels;
}

TMarkedLineCount CountMarkedLines(const std::vector<TLineLevel>& levels)
{
    return {static_cast<size_t>(std::count(levels.begin(), levels.end(), TLineLevel::WillNotRun)),
            static_cast<size_t>(std::count(levels.begin(), levels.end(), TLineLevel::MayBeWrong))};
}

} // namespace kelto
