// keltosimu-run as a command-line program: help, version, "--", "-", option
// values, inputs that are not what they seem, the delete action, and Ctrl+C.
#include "run_cli.h"

#include "cli/progress_line.h"
#include "core/files/wide_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace kelto {
namespace {

using namespace kelto::testing;
namespace fs = std::filesystem;

const fs::path kData = KELTO_TEST_DATA_DIR;
const std::string kCircuit = (kData / "inputs.dps").string();
const std::string kMcuLed = (kData / "programs" / "mcu_led.dps").string();
const std::string kForever = (kData / "programs" / "count_forever.txt").string();

bool Contains(const std::string& text, const std::string& fragment)
{
    return text.find(fragment) != std::string::npos;
}

TEST(RunnerConventions, HelpAndVersionGoToStandardOutputWithStatusZero)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"-h"}, {"--ticks", "5", "--help", "no-such.dps"}}) {
        const TCliResult run = RunCli(args);
        EXPECT_EQ(run.ExitCode, 0);
        EXPECT_TRUE(run.Err.empty());
        EXPECT_EQ(run.Out.rfind("usage: keltosimu-run", 0), 0u);
        for (const char* fragment :
             {"--speed-factor F", "--save FILE", "delete:C", "keydown:C:COL:ROW", "130"})
            EXPECT_TRUE(Contains(run.Out, fragment)) << fragment;
    }
    const TCliResult version = RunCli({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out.rfind("keltosimu-run ", 0), 0u);
}

struct TBadOptionCase {
    std::vector<std::string> Args;
    std::string Mentions;
};

TEST(RunnerConventions, BadOptionValuesAreRefusedWithAMessage)
{
    const TBadOptionCase cases[] = {
        {{kCircuit, "--state"}, "option --state needs a value"},
        {{"--ticks", "--no-run", kCircuit}, "option --ticks needs a value"},
        {{"--dt", "nan", kCircuit}, "--dt wants a number of seconds from 0 to 3600"},
        {{"--dt", "inf", kCircuit}, "--dt wants"},
        {{"--dt", "4.6e12", kCircuit}, "--dt wants"},
        {{"--dt", "-0.001", kCircuit}, "--dt wants"},
        {{"--speed-factor", "1e400", kCircuit}, "--speed-factor wants a number from 0 to 1000000"},
        {{"--speed-factor", "-200", kCircuit}, "--speed-factor wants"},
        {{"--", "--ticks", "5"}, "Cannot read --ticks"},
    };
    for (const TBadOptionCase& c : cases) {
        SCOPED_TRACE(c.Mentions);
        const TCliResult run = RunCli(c.Args);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(Contains(run.Err, c.Mentions)) << run.Err;
        EXPECT_TRUE(run.Out.empty());
    }
}

TEST(RunnerConventions, DoubleDashEndsOptionsAndADashSavesToStandardOutput)
{
    // A circuit whose name looks like an option, in the working folder.
    const fs::path odd = fs::current_path() / "-kelto-dash.dps";
    fs::copy_file(kCircuit, odd, fs::copy_options::overwrite_existing);
    const TCliResult run = RunCli({"--ticks", "0", "--save", "-", "--", odd.filename().string()});
    fs::remove(odd);
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, ReadFileText(kCircuit));
    EXPECT_FALSE(fs::exists(fs::current_path() / "-"));
}

std::string Widened(const std::string& text, bool bigEndian, size_t width)
{
    std::string wide;
    for (const char c : text) {
        std::string unit(width, '\0');
        unit[bigEndian ? width - 1 : 0] = c;
        wide += unit;
    }
    return wide;
}

TEST(RunnerConventions, WideTextIsRecognisedByItsMarkOrItsZeroBytes)
{
    const std::string latin = "<?xml version=\"1.0\"?><KELTOSIMU/>";
    const struct {
        std::string Bytes;
        std::string_view Expected;
    } cases[] = {
        {Widened(latin, false, 2), "UTF-16"},
        {Widened(latin, true, 2), "UTF-16"},
        {"\xFF\xFE" + Widened(latin, false, 2), "UTF-16"},
        {std::string("\xFE\xFF\x4E\x2D", 4), "UTF-16"},
        {Widened(latin, false, 4), "UTF-32"},
        {Widened(latin, true, 4), "UTF-32"},
        {std::string("\xFF\xFE\0\0", 4) + Widened(latin, false, 4), "UTF-32"},
        {latin, ""},
        {"0 REM \"KELTOBASIC\"\r\n10 REM \"PRINT \xD6\xD0\"\r\n", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Bytes.size());
        EXPECT_EQ(WideTextEncoding(c.Bytes), c.Expected);
    }
}

TEST(RunnerConventions, WideOrDoubleRootedCircuitFilesAreRefused)
{
    const fs::path dir = ScratchDir("conventions_wide_circuit");
    const std::string circuit = ReadFileText(kCircuit);
    const struct {
        const char* Name;
        std::string Bytes;
        std::string Mentions;
    } cases[] = {
        {"utf16.dps", "\xFF\xFE" + Widened(circuit, false, 2),
         "the file is UTF-16 text, not a single-byte XML file"},
        {"utf16be.dps", Widened(circuit, true, 2), "the file is UTF-16 text"},
        {"utf32.dps", Widened(circuit, false, 4), "the file is UTF-32 text"},
        {"two_roots.dps", circuit + "<KELTOSIMU/>\n", ": a second root element"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::ofstream(dir / c.Name, std::ios::binary) << c.Bytes;
        const TCliResult run = RunCli({(dir / c.Name).string()});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(Contains(run.Err, c.Mentions)) << run.Err;
    }
}

TEST(RunnerConventions, AUtf16ProgramGivesOneWarningAndStillRuns)
{
    const fs::path dir = ScratchDir("conventions_utf16");
    std::ofstream(dir / "wide.txt", std::ios::binary)
        << "\xFF\xFE" + Widened("0 REM \"KELTOBASIC\"\r\n10 REM \"PRINT 1\"\r\n", false, 2);
    const TCliResult run = RunCli({"--ticks", "5", kMcuLed, (dir / "wide.txt").string()});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    EXPECT_TRUE(Contains(run.Err, "warning: " + (dir / "wide.txt").string() + " looks like UTF-16"))
        << run.Err;
}

TEST(RunnerConventions, ProgressTextSaysHowFarTheRunHasGot)
{
    EXPECT_EQ(cli::ProgressText(0, 1000), "tick 0 of 1000 (0%)");
    EXPECT_EQ(cli::ProgressText(2500, 10000), "tick 2500 of 10000 (25%)");
    EXPECT_EQ(cli::ProgressText(9999, 10000), "tick 9999 of 10000 (99%)");
    EXPECT_EQ(cli::ProgressText(0, 0), "tick 0 of 0 (100%)");
}

// The delete dialog's action on the running microcontroller.
TEST(RunnerConventions, DeletingTheRunningMicrocontrollerEndsTheRun)
{
    const TCliResult run = RunCli({"--ticks", "20", "--at", "5:delete:0", "--at", "8:stop", "--state", "-",
                                   "--save", "-", kMcuLed, kForever});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out.rfind("开始\n结束\n{\"ticks\":20,\"running\":false,\"log\":[\"开始\",\"结束\"]", 0), 0u)
        << run.Out;
    EXPECT_FALSE(Contains(run.Out, "TSimuMCU"));
    // The LED is now part 0 and its wire went with the microcontroller.
    EXPECT_TRUE(Contains(run.Out, R"({"index":0,"class":"TSimuLEDB")"));
    EXPECT_TRUE(Contains(run.Out, "<CONN/>") || Contains(run.Out, "<CONN></CONN>")) << run.Out;
}

// From the process's caught-signal mask in /proc.
bool CatchesSignal(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1) != 0;
    return false;
}

int WaitForExit(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(RunnerConventions, AnInterruptStopsAfterTheTickAndStillWritesTheOutputs)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const fs::path dir = ScratchDir("conventions_interrupt");
        const std::string trace = (dir / "trace.jsonl").string();
        const std::string state = (dir / "state.json").string();
        std::vector<std::string> args{KELTO_RUNNER_PATH,
                                      "--ticks",
                                      "1000000000",
                                      "--trace",
                                      trace,
                                      "--state",
                                      state,
                                      "--save",
                                      (dir / "saved.dps").string(),
                                      kMcuLed,
                                      kForever};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&files);
        // Signalled only once the runner catches it: a loaded machine may
        // start the child later than any fixed pause would allow.
        for (int wait = 0; wait < 500 && !CatchesSignal(pid, signal); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::kill(pid, signal);
        EXPECT_EQ(WaitForExit(pid), 130);

        const std::string stateText = ReadFileText(state);
        const size_t ticksAt = stateText.find("\"ticks\":");
        ASSERT_NE(ticksAt, std::string::npos) << stateText;
        const int64_t ticks = std::stoll(stateText.substr(ticksAt + 8));
        EXPECT_GT(ticks, 0);
        const std::string traceText = ReadFileText(trace);
        EXPECT_EQ(std::count(traceText.begin(), traceText.end(), '\n'), ticks);
        EXPECT_EQ(ReadFileText(dir / "saved.dps"), ReadFileText(kMcuLed));
    }
}

} // namespace
} // namespace kelto
