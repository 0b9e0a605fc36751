// keltosimu-run end to end: loading, actions, ticks, state, saving, bad input.
#include "run_cli.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelto {
namespace {

using namespace kelto::testing;

const std::filesystem::path kData = KELTO_TEST_DATA_DIR;
const std::filesystem::path kExamples = KELTO_EXAMPLES_DIR;

TEST(Runner, ZeroTicksStillWritesStateAndSavesTheSameBytes)
{
    const auto dir = ScratchDir("zero_ticks");
    const TCliResult run = RunCli({"--ticks", "0", "--state", (dir / "state.json").string(), "--save",
                                   (dir / "saved.dps").string(), (kData / "lesson_example.dps").string()});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadFileText(dir / "saved.dps"), ReadFileText(kData / "lesson_example.dps"));
    const std::string state = ReadFileText(dir / "state.json");
    EXPECT_NE(state.find("\"ticks\":0"), std::string::npos);
    EXPECT_NE(
        state.find(
            R"({"index":1,"class":"TSimuLEDA","type":3,"name":"LED0","item":"发光二极管LED0","x":20,"y":60,"pins":[)"),
        std::string::npos);
}

TEST(Runner, StateGoesToStandardOutputWithADash)
{
    const TCliResult run = RunCli({"--ticks", "1", "--state", "-", (kExamples / "switch_led.dps").string()});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out.rfind("{\"ticks\":1,", 0), 0u);
    EXPECT_NE(run.Out.find("\"class\":\"TSimuZhaDaoSwitch\""), std::string::npos);
}

struct TActionCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Expected; // a fragment of the state
};

TEST(Runner, UserActionsChangeThePartsTheyName)
{
    const std::string dps = (kData / "inputs.dps").string();
    const auto dir = ScratchDir("actions_file");
    const TActionCase cases[] = {
        {"click flips the switch", {"--at", "1:click:0"}, R"("name":"K0")"},
        {"click twice flips it back", {"--at", "1:click:0", "--at", "3:click:0"}, R"("state":{"closed":0})"},
        {"press holds the button", {"--at", "2:press:1"}, R"("state":{"closed":1,"normallyClosed":0})"},
        {"release lets it go",
         {"--at", "1:press:1", "--at", "2:release:1"},
         R"("state":{"closed":0,"normallyClosed":0})"},
        {"key down", {"--at", "1:keydown:2:3:1"}, R"("keys":[0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0])"},
        {"slider", {"--at", "1:slider:3:0.25"}, R"("value":0.25)"},
        {"after the last tick", {"--at", "9:click:0"}, R"("state":{"closed":1})"},
        {"switch by caption", {"--at", "1:click:开关K0"}, R"("state":{"closed":1})"},
        {"button by caption", {"--at", "2:press:常开按钮S1"}, R"("state":{"closed":1,"normallyClosed":0})"},
        {"key by caption", {"--at", "1:keydown:4×4键盘:2:3"}, R"("keys":[0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,0])"},
        {"slider by caption", {"--at", "1:slider:可调电阻R:0.75"}, R"("value":0.75)"},
    };
    for (const TActionCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::string> args{"--ticks", "5", "--state", "-"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        args.push_back(dps);
        const TCliResult run = RunCli(args);
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        EXPECT_NE(run.Out.find(c.Expected), std::string::npos) << run.Out;

        // The same actions from a file, one a line, give the same run.
        std::ofstream actions(dir / "actions.txt", std::ios::binary);
        for (size_t i = 1; i < c.Args.size(); i += 2)
            actions << c.Args[i] << "\r\n\n";
        actions.close();
        const TCliResult fromFile =
            RunCli({"--ticks", "5", "--state", "-", "--actions", (dir / "actions.txt").string(), dps});
        EXPECT_EQ(fromFile.Out, run.Out) << fromFile.Err;
    }
}

struct TBadCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Mentions;
};

TEST(Runner, BadInputGivesOneLineOnStandardErrorAndStatusTwo)
{
    const auto dir = ScratchDir("bad_input");
    std::string binary(2048, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 37);
    std::ofstream(dir / "binary.dps", std::ios::binary) << binary;
    const std::string lesson = ReadFileText(kData / "lesson_example.dps");
    std::ofstream(dir / "truncated.dps", std::ios::binary) << lesson.substr(0, 300);
    std::string nested;
    for (int i = 0; i < 100000; ++i)
        nested += "<x>";
    std::ofstream(dir / "nested.dps", std::ios::binary) << nested;
    const std::string inputs = (kData / "inputs.dps").string();
    // A loaded file may hold one item's part twice; its caption then names neither.
    const std::string button =
        R"(<record><CtrlNode TYPE="4"><POSX>0</POSX><POSY>0</POSY><MODEL>1</MODEL></CtrlNode></record>)";
    std::ofstream(dir / "two_buttons.dps", std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<KELTOSIMU><COMP>" << button << button
        << "</COMP><CONN/></KELTOSIMU>\n";
    const TBadCase cases[] = {
        {"missing file", {(dir / "absent.dps").string()}, "absent.dps"},
        {"binary file", {(dir / "binary.dps").string()}, "binary.dps"},
        {"truncated file", {(dir / "truncated.dps").string()}, "truncated.dps"},
        {"deeply nested", {(dir / "nested.dps").string()}, "nested.dps"},
        {"folder", {dir.string()}, "Cannot read"},
        {"no circuit", {}, "no circuit"},
        {"unknown option", {"--frobnicate", inputs}, "--frobnicate"},
        {"negative ticks", {"--ticks", "-3", inputs}, "--ticks"},
        {"action on a missing part", {"--at", "1:click:99", inputs}, "names no component"},
        {"press on a switch", {"--at", "1:press:0", inputs}, "push button"},
        {"key out of range", {"--at", "1:keydown:2:4:0", inputs}, "column and row"},
        {"slider beyond its track", {"--at", "1:slider:3:1.5", inputs}, "slider position"},
        {"unknown action", {"--at", "1:dance:0", inputs}, "unknown action"},
        {"caption of no placed part",
         {"--at", "1:press:常闭按钮S2", inputs},
         "no placed part is '常闭按钮S2'"},
        {"caption of two parts",
         {"--at", "1:press:常开按钮S1", (dir / "two_buttons.dps").string()},
         "'常开按钮S1' names 2 placed parts (components 0 1)"},
        {"caption of the wrong kind", {"--at", "1:press:开关K0", inputs}, "push button"},
    };
    for (const TBadCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TCliResult run = RunCli(c.Args);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_NE(run.Err.find(c.Mentions), std::string::npos) << run.Err;
        EXPECT_EQ(run.Err.find("keltosimu-run: "), 0u);
        EXPECT_TRUE(run.Out.empty());
    }
}

} // namespace
} // namespace kelto
