// The watch panel's rows from a run snapshot.
#include "core/basic/watch_rows.h"

namespace kelto {

namespace {

std::string StateText(const TRunSnapshot& s)
{
    switch (s.State) {
    case TRunState::Idle: return "未运行";
    case TRunState::Running: return s.Waiting ? "运行中（等待）" : "运行中";
    case TRunState::Paused: return s.StepPending ? "单步中" : "已暂停";
    case TRunState::StopRequested: return "正在停止";
    }
    return {};
}

} // namespace

std::vector<TWatchRow> WatchRows(const TRunSnapshot& s)
{
    std::vector<TWatchRow> rows;
    rows.reserve(5 + s.ForLoops.size() + s.Variables.size());
    rows.push_back({"状态", StateText(s)});
    rows.push_back({"刚执行的行", s.ExecutedLine < 0 ? "—" : std::to_string(s.ExecutedLine)});
    rows.push_back({"读作", s.ExecutedLine < 0 ? "—" : s.ExecutedReading});
    rows.push_back({"下次查找行号", std::to_string(s.CurrentLine)});
    rows.push_back({"GOSUB层数", std::to_string(s.GosubDepth)});
    for (const TForLoopView& loop : s.ForLoops)
        rows.push_back({std::string("FOR ") + loop.Variable, std::to_string(loop.Value) + " TO " +
                                                                 std::to_string(loop.Limit) + "（第" +
                                                                 std::to_string(loop.ForLine) + "行）"});
    for (size_t v = 0; v < s.Variables.size(); ++v)
        rows.push_back({std::string(1, static_cast<char>('A' + v)), std::to_string(s.Variables[v])});
    return rows;
}

} // namespace kelto
