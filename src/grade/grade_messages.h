// The grader's texts a teacher or a student reads, in one place so they are
// worded and translated together.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelto::grade {

inline const std::string kMemoryExceeded = "内存超限";

inline std::string LinkLeavesFolderMessage(const std::string& name)
{
    return name + " 是指向提交文件夹以外的符号链接，未打开";
}

inline std::string NotRegularFileMessage(const std::string& name)
{
    return name + " 不是普通文件";
}

inline std::string GraderFailedMessage(const std::string& reason)
{
    return "评分程序未能完成这份作业：" + reason;
}

inline std::string StateTooLargeMessage(uintmax_t limit)
{
    return "运行状态超过 " + std::to_string(limit / (1024 * 1024)) + " MiB";
}

inline const std::string kGraderOutOfMemory = "评分程序内存不足";
inline const std::string kInterrupted = "评分被中断，未写出任何结果";

// Why grading cannot start or its results cannot be written.
inline const std::string kOneStandardOutput = "--report、--csv 和 --gradebook 只能有一个写到标准输出";
inline std::string CannotWriteMessage(const std::string& path, const std::string& reason)
{
    return "无法写入 " + path + "：" + reason;
}
inline std::string CannotRunMessage(const std::string& runner, const std::string& reason)
{
    return "无法运行 " + runner + "：" + reason;
}
inline const std::string kNotAProgramFile = "不是程序文件";
inline const std::string kOtherRunner = "（--runner 或 KELTOSIMU_RUN 可指定另一个 keltosimu-run）";
inline std::string CannotMakeFolderMessage(const std::string& reason)
{
    return "无法创建临时文件夹：" + reason;
}

// What is wrong with a task file, at its line.
inline std::string TomlErrorMessage(std::string_view description)
{
    return "TOML 格式错误：" + std::string(description);
}
inline std::string CannotReadMessage(const std::string& path, const std::string& reason)
{
    return "无法读取 " + path + "：" + reason;
}
inline std::string UnknownKeyMessage(std::string_view key, bool inExpect)
{
    return "未知的键 '" + std::string(key) + "'" + (inExpect ? "（在 [[expect]] 中）" : "");
}
inline std::string NotTextMessage(std::string_view key)
{
    return std::string(key) + " 应为文字";
}
inline std::string WrongKindMessage(std::string_view key)
{
    return std::string(key) + " 的值类型不对";
}
inline std::string RunFieldMessage(const std::string& field)
{
    return "运行本身没有 '" + field + "' 这一项：可用 log、running、line、variables 或 variables.A 到 "
           "variables.Z（检查元件请设置 part）";
}
inline const std::string kPartWanted = "part 应为元件面板上的名称或元件序号";
inline const std::string kPartIndexNegative = "part 序号不能小于 0";
inline const std::string kFieldMissing = "[[expect]] 缺少 field";
inline const std::string kFieldWanted = "field 应为名称，如 \"text\"、\"lit\" 或 \"variables.A\"";
inline const std::string kEqualsOrContains = "[[expect]] 需要 equals 或 contains 其中之一";
inline const std::string kNoDates = "日期和时间无法比较，请写成文字";
inline const std::string kContainsOneValue = "contains 只接受一个值：文字、数字或 true/false";
inline std::string TickWantedMessage(int64_t ticks)
{
    return "tick 应为 0 到 ticks（" + std::to_string(ticks) + "）之间的整数";
}
inline const std::string kPointsWanted = "points 应为 0 到 1000000 之间的整数";
inline const std::string kHiddenWanted = "hidden 应为 true 或 false";
inline const std::string kActionsWanted = "actions 应为文字列表，如 \"500:press:0\"";
inline std::string ActionWantedMessage(const std::string& quoted)
{
    return "动作 " + quoted + " 应写成 拍数:动作，如 \"500:press:0\"";
}
inline const std::string kTicksMissing = "任务缺少 ticks（每份作业运行的拍数）";
inline const std::string kTicksWanted = "ticks 应为不小于 0 的整数";
inline const std::string kExpectMissing = "任务至少需要一个 [[expect]] 表";
inline std::string InExpectMessage(size_t number, const std::string& message)
{
    return "第 " + std::to_string(number) + " 个 [[expect]]：" + message;
}

// What is wrong with the command line.
inline const std::string kJobsWanted = "--jobs 应为 1 到 1024 之间的整数";
inline const std::string kTimeoutWanted = "--timeout 应为大于 0、不超过 86400 的秒数";
inline const std::string kShardWanted = "--shard 应写成 K/N（1 <= K <= N），如 2/4";
inline const std::string kMemoryWanted = "--memory 应为大小，如 512M 或 2G（0：不限）";
inline std::string NotValueMessage(const std::string& value)
{
    return "，而不是 '" + value + "'";
}
inline std::string UnknownOptionMessage(const std::string& option)
{
    return "未知选项 " + option + "（--help 列出所有选项）";
}
inline std::string OptionNeedsValueMessage(const std::string& option)
{
    return "选项 " + option + " 需要一个值";
}
inline const std::string kNoTaskFile = "未给出任务文件";
inline const std::string kNoSubmission = "未给出作业文件夹";
inline const std::string kStudentAlone = "--student 只检查一个作业文件夹，不写报告";

// Why a submission was not graded.
inline const std::string kNotAFolder = "不是文件夹";
inline const std::string kNoCircuitFile = "没有 .dps 电路文件";
inline std::string CannotListFolderMessage(const std::string& reason)
{
    return "无法列出文件夹内容：" + reason;
}
// "2 .dps 电路文件：lcd.dps, lcd_copy.dps"
inline std::string SeveralFilesMessage(size_t count, const std::string& kind, const std::string& names)
{
    return std::to_string(count) + " 个" + kind + "：" + names;
}
inline const std::string kCircuitFiles = " .dps 电路文件";
inline const std::string kProgramFiles = " .txt 程序文件";
inline std::string TimedOutMessage(const std::string& seconds)
{
    return "超时（" + seconds + " 秒）";
}
inline std::string KilledMessage(int signal, const std::string& name)
{
    return "keltosimu-run 被信号 " + std::to_string(signal) + "（" + name + "）终止";
}
inline std::string EndedWithStatusMessage(int status)
{
    return "keltosimu-run 以状态 " + std::to_string(status) + " 结束";
}
inline std::string CannotStartMessage(const std::string& runner, const std::string& reason)
{
    return "无法启动 " + runner + "：" + reason;
}
inline const std::string kGradingInterrupted = "评分被中断";
inline std::string CannotReadStateMessage(const std::string& reason)
{
    return "无法读取运行状态：" + reason;
}
inline const std::string kStateNotJson = "运行状态不是有效的 JSON";

// The table, the CSV sheet and the student view.
inline const std::string kSubmissionHeading = "作业";
inline const std::string kPointsHeading = "得分";
inline const std::string kFailureHeading = "第一项未通过的检查或错误";
inline const std::string kTotalHeading = "总分";
inline const std::string kErrorHeading = "错误";
inline std::string ErrorText(const std::string& error)
{
    return "错误：" + error;
}
inline std::string CheckNumber(size_t number)
{
    return "检查 " + std::to_string(number);
}
inline std::string HiddenChecksLine(size_t count)
{
    return "另有 " + std::to_string(count) + " 项检查在交作业后评分";
}
inline std::string GradedCount(size_t done, size_t total)
{
    return "已评分 " + std::to_string(done) + "/" + std::to_string(total) + " 份";
}
inline const std::string kPassMark = "✓";
inline const std::string kFailMark = "✗";

// Why a check found no value.
inline const std::string kNoParts = "运行状态中没有元件";
inline std::string SeveralPartsMessage(size_t count, const std::string& caption)
{
    return "有 " + std::to_string(count) + " 个元件都叫" + caption;
}
inline std::string NoPartMessage(const std::string& part)
{
    return "电路中没有" + part;
}
inline std::string NoFieldMessage(const std::string& field)
{
    return "没有 " + field + " 这一项";
}

// The sentence of a check: "常开按钮S1 按下后，发光二极管LED3 应该亮：实际不亮".
inline std::string PartByIndex(int64_t index)
{
    return "第 " + std::to_string(index) + " 号元件";
}
inline std::string AfterTicks(int64_t ticks)
{
    return "运行 " + std::to_string(ticks) + " 拍后";
}
inline const std::string kProgram = "程序";
inline const std::string kShould = "应该";
inline const std::string kShouldBe = "应该是 ";
inline const std::string kShouldContain = "应该包含 ";
inline const std::string kActually = "：实际";
inline const std::string kActuallyIs = "：实际是 ";
inline const std::string kClauseEnd = "，";
inline const std::string kOf = "的";
inline const std::string kColon = "：";
inline std::string ElementName(std::string_view field, const std::string& number)
{
    return "第 " + number + (field == "text" || field == "log" ? " 行" : " 项");
}

// What an action does to its part, by the action's name.
struct TActionWords {
    std::string_view Action;
    std::string_view Done;
};
inline constexpr TActionWords kActionWords[] = {
    {"click", "点击后"},     {"press", "按下后"},        {"release", "松开后"},  {"keydown", "按下键后"},
    {"keyup", "松开键后"},   {"slider", "调节后"},       {"delete", "删除后"},   {"run", "按下运行后"},
    {"pause", "按下暂停后"}, {"continue", "按下继续后"}, {"stop", "按下停止后"},
};

// A field a task may check, in words; a value that is true or false (or 1 or 0)
// reads as one of the two states.
struct TFieldWords {
    std::string_view Field;
    std::string_view Name;
    std::string_view Yes; // empty: the value is written out
    std::string_view No;
};
inline constexpr TFieldWords kFieldWords[] = {
    {"lit", "亮灭", "亮", "不亮"},
    {"closed", "通断", "闭合", "断开"},
    {"normallyClosed", "类型", "是常闭按钮", "是常开按钮"},
    {"running", "运行", "在运行", "已停止"},
    {"displayOn", "显示", "打开显示", "关闭显示"},
    {"twoLine", "行数", "两行显示", "一行显示"},
    {"eightBit", "数据宽度", "用 8 位数据", "用 4 位数据"},
    {"cursorOn", "光标", "显示光标", "不显示光标"},
    {"blinkOn", "光标闪烁", "光标闪烁", "光标不闪烁"},
    {"text", "显示内容", "", ""},
    {"log", "输出", "", ""},
    {"line", "下一个要执行的行号", "", ""},
    {"variables", "变量", "", ""},
    {"angle", "角度", "", ""},
    {"duty", "占空比", "", ""},
    {"direction", "方向", "", ""},
    {"position", "位置", "", ""},
    {"keys", "按键", "", ""},
    {"segments", "段", "", ""},
    {"dots", "点阵", "", ""},
    {"q", "Q 输出", "", ""},
    {"qbar", "Q非 输出", "", ""},
    {"lastClock", "上次时钟电平", "", ""},
    {"latches", "锁存值", "", ""},
    {"reading", "读数", "", ""},
    {"address", "地址", "", ""},
    {"shift", "显示移位", "", ""},
    {"ddram", "显示数据存储器", "", ""},
    {"cgram", "字符发生存储器", "", ""},
    {"cells", "点阵内容", "", ""},
};

} // namespace kelto::grade
