// The runner's output files: links followed, devices and FIFOs written in
// place, folders and read-only files refused, nothing touched by a refused
// run, and every write error reported.
#include "run_cli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace kelto {
namespace {

using namespace kelto::testing;
namespace fs = std::filesystem;

const std::string kCircuit = (fs::path(KELTO_TEST_DATA_DIR) / "inputs.dps").string();
const fs::path kPrograms = fs::path(KELTO_TEST_DATA_DIR) / "programs";

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool IsStateJson(const std::string& text)
{
    return text.rfind("{\"ticks\":1,", 0) == 0;
}

TEST(RunnerFiles, SavingThroughASymbolicLinkReplacesTheFileItNamesKeepingItsMode)
{
    const fs::path dir = ScratchDir("files_symlink");
    fs::create_directory(dir / "real");
    WriteText(dir / "real" / "state.json", "old");
    ::chmod((dir / "real" / "state.json").c_str(), 0640);
    fs::create_symlink("real/state.json", dir / "link.json");
    fs::create_symlink("real/new.json", dir / "dangling.json");

    const TCliResult run = RunCli({"--ticks", "1", "--state", (dir / "link.json").string(), "--save",
                                   (dir / "dangling.json").string(), kCircuit});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(fs::is_symlink(dir / "link.json"));
    EXPECT_TRUE(IsStateJson(ReadFileText(dir / "real" / "state.json")));
    EXPECT_EQ(fs::status(dir / "real" / "state.json").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.json"));
    EXPECT_EQ(ReadFileText(dir / "real" / "new.json"), ReadFileText(kCircuit));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 2);
}

TEST(RunnerFiles, AHardLinkedFileKeepsItsLinks)
{
    const fs::path dir = ScratchDir("files_hardlink");
    WriteText(dir / "a.json",
              "a much longer old text than the new one will ever be, surely, yes, much longer");
    fs::create_hard_link(dir / "a.json", dir / "b.json");
    const TCliResult run = RunCli({"--ticks", "1", "--state", (dir / "a.json").string(), kCircuit});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(fs::hard_link_count(dir / "a.json"), 2u);
    EXPECT_TRUE(IsStateJson(ReadFileText(dir / "b.json")));
    EXPECT_EQ(ReadFileText(dir / "a.json"), ReadFileText(dir / "b.json"));
}

TEST(RunnerFiles, DevicesAndFifosAreWrittenInPlace)
{
    const fs::path dir = ScratchDir("files_devices");
    // The null device's numbers, in a scratch folder: the real one is never touched.
    if (::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod needs root";
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0666), 0);
    auto reader = std::async(std::launch::async, [&] { return ReadFileText(dir / "fifo"); });

    const TCliResult run = RunCli(
        {"--ticks", "1", "--state", (dir / "null").string(), "--trace", (dir / "fifo").string(), kCircuit});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(fs::is_character_file(dir / "null"));
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_EQ(reader.get().rfind("{\"tick\":1,", 0), 0u);
}

struct TRefusedCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Mentions;
};

// Outputs that existed before a refused run hold exactly what they held.
TEST(RunnerFiles, ARefusedRunLeavesEveryOutputUntouched)
{
    const fs::path dir = ScratchDir("files_refused");
    fs::create_directory(dir / "folder");
    fs::create_directory_symlink("folder", dir / "folderlink");
    WriteText(dir / "readonly.dps", "keep");
    ::chmod((dir / "readonly.dps").c_str(), 0444);
    WriteText(dir / "actions.txt", "1:click:0\nclick:0\n");
    const TRefusedCase cases[] = {
        {"bad line of an actions file",
         {"--actions", (dir / "actions.txt").string(), kCircuit},
         "actions.txt:2: wants T:ACTION"},
        {"two outputs naming one file",
         {"--vcd", (dir / "folder" / ".." / "trace.jsonl").string(), kCircuit},
         "trace.jsonl: another output names the same file"},
        {"bad action", {"--at", "1:click:99", kCircuit}, "names no component"},
        {"unreadable circuit", {(dir / "absent.dps").string()}, "absent.dps: No such file or directory"},
        {"action on a deleted part",
         {"--at", "1:delete:0", "--at", "2:click:0", kCircuit},
         "deleted at tick 1"},
        {"save onto a folder", {"--save", (dir / "folder").string(), kCircuit}, "folder: Is a directory"},
        {"save onto a link to a folder",
         {"--save", (dir / "folderlink").string(), kCircuit},
         "Is a directory"},
        {"read-only save target",
         {"--save", (dir / "readonly.dps").string(), kCircuit},
         "readonly.dps: Permission denied"},
        {"a kernel file", {"--save", "/proc/self/status", kCircuit}, "/proc/self/status: Permission denied"},
        {"missing folder",
         {"--save", (dir / "nowhere" / "s.dps").string(), kCircuit},
         "No such file or directory"},
        {"waveforms onto a folder", {"--vcd", (dir / "folder").string(), kCircuit}, "folder: Is a directory"},
        {"tune into a missing folder",
         {"--midi", (dir / "nowhere" / "t.mid").string(), kCircuit},
         "t.mid: No such file or directory"},
        {"picture into a missing folder",
         {"--picture", (dir / "nowhere" / "board.svg").string(), kCircuit},
         "No such file or directory"},
    };
    for (const TRefusedCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const char* name : {"events.jsonl", "trace.jsonl", "state.json"})
            WriteText(dir / name, std::string("before ") + name);
        std::vector<std::string> args{"--ticks",  "3",
                                      "--events", (dir / "events.jsonl").string(),
                                      "--trace",  (dir / "trace.jsonl").string(),
                                      "--state",  (dir / "state.json").string()};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TCliResult run = RunCli(args);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_NE(run.Err.find(c.Mentions), std::string::npos) << run.Err;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        for (const char* name : {"events.jsonl", "trace.jsonl", "state.json"})
            EXPECT_EQ(ReadFileText(dir / name), std::string("before ") + name);
        EXPECT_EQ(ReadFileText(dir / "readonly.dps"), "keep");
        EXPECT_TRUE(fs::is_empty(dir / "folder"));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 7);
}

struct TWriteErrorCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Redirection;
    std::string Expected; // the one line on standard error
};

void ExpectOneLineWriteError(const TWriteErrorCase& c)
{
    SCOPED_TRACE(c.Name);
    std::vector<std::string> args{"--ticks", "2"};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    if (!c.Args.back().ends_with(".txt"))
        args.push_back(kCircuit);
    const TCliResult run = RunCliWithOutput(args, c.Redirection);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, "keltosimu-run: " + c.Expected + "\n");
}

TEST(RunnerFiles, EveryWriteErrorIsOneLineWithTheFileAndTheReason)
{
    const TWriteErrorCase cases[] = {
        {"trace to a full disk",
         {"--trace", "/dev/full"},
         "",
         "cannot write /dev/full: No space left on device"},
        {"events to a full disk",
         {"--events", "/dev/full", (kPrograms / "mcu_led.dps").string(), (kPrograms / "sounds.txt").string()},
         ">/dev/null",
         "cannot write /dev/full: No space left on device"},
        {"state to a full disk",
         {"--state", "/dev/full"},
         "",
         "cannot write /dev/full: No space left on device"},
        {"state to a full standard output",
         {"--state", "-"},
         ">/dev/full",
         "cannot write standard output: No space left on device"},
    };
    for (const TWriteErrorCase& c : cases)
        ExpectOneLineWriteError(c);
}

// Apart from the others: the node runner cannot see it (node opens /dev/null
// in place of a closed standard output).
TEST(RunnerFiles, ClosedStandardOutputIsAWriteError)
{
    ExpectOneLineWriteError({"state to a closed standard output",
                             {"--state", "-"},
                             ">&-",
                             "cannot write standard output: Bad file descriptor"});
}

// The temporary file's name must stay within the 255-byte name limit.
TEST(RunnerFiles, NamesUpToTheLimitCanBeSavedAndLeaveNoTemporaryFile)
{
    const fs::path dir = ScratchDir("files_long_names");
    for (const size_t length : {249u, 252u, 255u}) {
        SCOPED_TRACE(length);
        const fs::path target = dir / std::string(length, 'n');
        const TCliResult run = RunCli({"--ticks", "1", "--state", target.string(), kCircuit});
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        EXPECT_TRUE(IsStateJson(ReadFileText(target)));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
}

} // namespace
} // namespace kelto
