// keltosimu-run --check: the lines of a program file Run would not execute
// or that likely run not as meant, as "N: reason" in Chinese, and the exit
// status a course's CI can test.
#include "run_cli.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelto {
namespace {

using namespace kelto::testing;

std::string WriteProgram(const std::string& name, const std::string& bytes)
{
    const std::filesystem::path path = ScratchDir("check_" + name) / "program.txt";
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

TEST(CheckRunner, ListsEachMarkedLineOfTheFileWithItsReason)
{
    struct TCase {
        std::string Name;
        std::string File; // GBK bytes with CR LF, as the window saves them
        int ExitCode;
        std::string Out;
    };
    const TCase cases[] = {
        {"clean", "0 REM \"KELTOBASIC\"\r\n\xD7\xA2\xCA\xCD\r\n10 REM \"PRINT 5\"\r\n", 0, ""},
        {"faults",
         "0 REM \"KELTOBASIC\"\r\n10 DDRB=255\r\n20 REM \"PRINT 5\r\n\r\n40 PRINT 5\r\n30 REM \"A=1\"\r\n"
         "15 REM \"A=2\"\r\n",
         1,
         // Error rows number -1, so they never hide the 30 after them; the 30 hides the 15.
         "2: 缺少部分：一行要有行号、REM 和用双引号括起来的语句\n"
         "3: 语句缺少右双引号\n"
         "5: 行号后面的第二个词要以 REM 开头\n"
         "7: 这一行永远不会执行：第 6 行在前面，它的行号不比这一行小\n"},
        {"no_header", "10 REM \"PRINT 5\"\n", 1, "1: 程序不会运行：开头行不是 0 REM \"KELTOBASIC\"\n"},
        // Lines that run, but likely not as meant, with those that will not.
        {"slips", "-5 REM \"PRNT 5\"\r\n10 REM \"GOTO 200\"\r\n20 REM \"A = 5 +\"\r\n", 1,
         "1: 行号是负数：只有跳转到负数行号时才会执行这一行\n"
         "1: PRNT 不是语句，这一行按 PRINT 执行；是不是想写 PRINT？\n"
         "2: 程序不会运行：开头行不是 0 REM \"KELTOBASIC\"\n"
         "3: 表达式以 + 结尾，缺少的数按 0 计算\n"},
        {"empty", "", 1, "1: 程序不会运行：缺少开头行 0 REM \"KELTOBASIC\"\n"},
        // A lone CR ends a line too, so the numbers stay those of the file.
        {"cr", "0 REM \"KELTOBASIC\"\r10 REM \"\"\r", 1, "2: 语句是空的\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TCliResult run = RunCli({"--check", WriteProgram(c.Name, c.File)});
        EXPECT_EQ(run.ExitCode, c.ExitCode);
        EXPECT_EQ(run.Out, c.Out);
        EXPECT_EQ(run.Err, "");
    }
}

TEST(CheckRunner, RefusesWhatItCannotCheckAsAnInputError)
{
    const std::string program = WriteProgram("extra", "0 REM \"KELTOBASIC\"\r\n");
    const std::string missing = (ScratchDir("check_missing") / "nothing.txt").string();
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--check", missing}, "nothing.txt"},
        {{"--check", program, "circuit.dps"}, "--check takes no other file"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        const TCliResult run = RunCli(args);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err;
    }
}

} // namespace
} // namespace kelto
