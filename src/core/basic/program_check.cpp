#include "core/basic/program_check.h"

#include <algorithm>

namespace kelto {

namespace {

constexpr std::string_view kHeaderStatement = "KELTOBASIC";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view FaultText(TLineFault fault)
{
    switch (fault) {
    case TLineFault::None: break;
    case TLineFault::TooShort: return "这一行太短（不超过 8 个字符），不会执行";
    case TLineFault::TooFewTokens: return "缺少部分：一行要有行号、REM 和用双引号括起来的语句";
    case TLineFault::NumberNotWhole: return "行号不是整数";
    case TLineFault::NumberOutOfRange: return "行号超出范围，应在 0 到 32767 之间";
    case TLineFault::NoRem: return "行号后面的第二个词要以 REM 开头";
    case TLineFault::NotQuoted: return "语句没有用双引号括起来";
    case TLineFault::EmptyStatement: return "语句是空的";
    case TLineFault::UnclosedQuote: return "语句缺少右双引号";
    case TLineFault::TextAfterQuote: return "右双引号后面紧跟着别的文字（语句中的双引号要写两次）";
    case TLineFault::StatementIsRem: return "语句以 REM 开头，这一行只是注释";
    }
    return "";
}

} // namespace

bool IsWarning(const TLineMark& mark)
{
    return mark.Reason == TCheckReason::Slip || mark.Reason == TCheckReason::NegativeNumber;
}

bool LooksNumbered(std::string_view line)
{
    const size_t start = line.find_first_not_of(" \t;");
    if (start == std::string_view::npos)
        return false;
    line.remove_prefix(start);
    if (line.starts_with('+') || line.starts_with('-'))
        line.remove_prefix(1);
    return !line.empty() && IsDigit(line[0]);
}

std::vector<TLineMark> CheckProgram(const std::vector<std::string>& gbkLines)
{
    std::vector<TProgramLine> program;
    PrepareProgram(gbkLines, program);
    std::vector<TLineMark> marks;
    // The lookup takes the first row in editor order whose number is not
    // below the target, error rows (-1) included: a row is found for some
    // target exactly when every earlier row's number is smaller.
    size_t highest = 0;
    bool anyEarlier = false;
    for (size_t i = 0; i < program.size(); ++i) {
        const TSplitLine split = SplitProgramLine(gbkLines[i]);
        if (!split.Valid) {
            if (LooksNumbered(gbkLines[i]))
                marks.push_back({i, TCheckReason::LineForm, split.Fault, 0});
        } else if (anyEarlier && program[highest].Number >= program[i].Number) {
            marks.push_back({i, TCheckReason::Unreachable, TLineFault::None, highest});
        } else if (program[i].Number < 0) {
            marks.push_back({i, TCheckReason::NegativeNumber, TLineFault::None, 0});
        }
        if (!anyEarlier || program[i].Number > program[highest].Number)
            highest = i;
        anyEarlier = true;
    }

    const auto header =
        std::find_if(program.begin(), program.end(), [](const TProgramLine& row) { return row.Number >= 0; });
    if (header == program.end())
        marks.insert(marks.begin(), {0, TCheckReason::HeaderMissing, TLineFault::None, 0});
    else if (header->StatementText != kHeaderStatement) {
        const size_t line = static_cast<size_t>(header - program.begin());
        const auto at =
            std::find_if(marks.begin(), marks.end(), [line](const TLineMark& m) { return m.Line >= line; });
        marks.insert(at, {line, TCheckReason::HeaderWrong, TLineFault::None, 0});
    }
    return marks;
}

std::string DescribeMark(const TLineMark& mark)
{
    switch (mark.Reason) {
    case TCheckReason::LineForm: return std::string(FaultText(mark.Fault));
    case TCheckReason::Unreachable:
        return "这一行永远不会执行：第 " + std::to_string(mark.EarlierLine + 1) +
               " 行在前面，它的行号不比这一行小";
    case TCheckReason::NegativeNumber: return "行号是负数：只有跳转到负数行号时才会执行这一行";
    case TCheckReason::HeaderMissing: return "程序不会运行：缺少开头行 0 REM \"KELTOBASIC\"";
    case TCheckReason::HeaderWrong: return "程序不会运行：开头行不是 0 REM \"KELTOBASIC\"";
    case TCheckReason::Slip: return mark.Detail;
    }
    return "";
}

} // namespace kelto
