// Every lesson in examples/ through keltosimu-run: after its ticks and user
// actions, the parts show what the lesson's comments promise.
#include "devices_state.h"
#include "run_cli.h"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <regex>
#include <set>

namespace kelto {
namespace {

using namespace kelto::testing;

constexpr int kOutput = -1; // the runner's stdout: log lines and the state's top level
constexpr int kEvents = -2; // the --events file

struct TExpect {
    int Component;
    std::string Fragment;  // text that must appear, or empty when checking an array
    std::string ArrayKey;  // the component's integer array "key":[...]
    size_t Offset = 0;     // first element compared
    std::vector<int> Bits; // expected elements from Offset on
};

TExpect Shows(int component, std::string fragment)
{
    return {component, std::move(fragment), {}, 0, {}};
}

// "1"/"X" are 1, "0"/"." are 0; anything else (spaces) separates for reading.
TExpect Array(int component, std::string key, size_t offset, const std::string& pattern)
{
    std::vector<int> bits;
    for (char c : pattern)
        if (c == '1' || c == 'X' || c == '0' || c == '.')
            bits.push_back(c == '1' || c == 'X' ? 1 : 0);
    return {component, {}, std::move(key), offset, std::move(bits)};
}

std::vector<int> IntArray(const std::string& json, const std::string& key)
{
    std::vector<int> values;
    const std::string start = "\"" + key + "\":[";
    size_t at = json.find(start);
    if (at == std::string::npos)
        return values;
    at += start.size();
    const size_t end = json.find(']', at);
    while (at < end) {
        int value = 0;
        const auto read = std::from_chars(json.data() + at, json.data() + end, value);
        if (read.ec != std::errc())
            break;
        values.push_back(value);
        at = static_cast<size_t>(read.ptr - json.data()) + 1;
    }
    return values;
}

const std::string kHeart16 = "................"
                             "..XXX......XXX.."
                             ".XXXXX....XXXXX."
                             "XXXXXXX..XXXXXXX"
                             "XXXXXXXXXXXXXXXX"
                             "XXXXXXXXXXXXXXXX"
                             "XXXXXXXXXXXXXXXX"
                             ".XXXXXXXXXXXXXX."
                             "..XXXXXXXXXXXX.."
                             "...XXXXXXXXXX..."
                             "....XXXXXXXX...."
                             ".....XXXXXX....."
                             "......XXXX......"
                             ".......XX......."
                             "................"
                             "................";

// Rows 8 to 12 of the 32 x 32 face: the eyes.
const std::string kFaceEyes = ".X.......XXX........XXX.......X."
                              "X.......XXXXX......XXXXX.......X"
                              "X.......XXXXX......XXXXX.......X"
                              "X.......XXXXX......XXXXX.......X"
                              "X........XXX........XXX........X";
// Row 23: the mouth.
const std::string kFaceMouth = ".X.........XXXXXXXXXX.........X.";

// Segment patterns A B C D E F G DP of the digits used below.
const std::string kDigit0 = "11111100";
const std::string kDigit1 = "01100000";
const std::string kDigit3 = "11110010";
const std::string kDigit5 = "10110110";
const std::string kDigit6 = "10111110";
const std::string kDigit8 = "11111110";

struct TExampleCase {
    const char* Lesson;
    std::vector<std::string> Args;
    std::vector<TExpect> Expect;
};

TEST(Examples, EachLessonShowsWhatItTeaches)
{
    // Each row of a character's 5 x 8 cell on the LCD: position P starts at 40 P.
    const TExampleCase cases[] = {
        {"lesson01_blink",
         {"--ticks", "50"},
         {Shows(1, R"("lit":1)"), Shows(3, R"("lit":1)"), Shows(4, R"("lit":0)")}},
        {"lesson01_blink",
         {"--ticks", "150"},
         {Shows(2, R"("lit":0)"), Shows(4, R"("lit":1)"), Shows(5, R"("lit":1)")}},
        {"lesson02_running_light", {"--ticks", "100"}, {Array(1, "lit", 0, "01000000")}},
        {"lesson02_running_light", {"--ticks", "400"}, {Array(1, "lit", 0, "00000001")}},
        {"lesson03_buttons",
         {"--ticks", "10"},
         {Shows(5, R"("lit":0)"), Shows(6, R"("lit":1)"), Shows(7, R"("lit":0)"), Shows(10, R"("lit":0)")}},
        {"lesson03_buttons",
         {"--ticks", "10", "--at", "3:press:1", "--at", "3:press:2", "--at", "3:click:3", "--at",
          "3:click:9"},
         {Shows(5, R"("lit":1)"), Shows(6, R"("lit":0)"), Shows(7, R"("lit":1)"), Shows(10, R"("lit":1)")}},
        {"lesson04_keypad", {"--ticks", "400"}, {Array(2, "segments", 0, kDigit0 + kDigit0)}},
        {"lesson04_keypad",
         {"--ticks", "600", "--at", "5:keydown:1:2:1"},
         {Array(2, "segments", 0, kDigit0 + kDigit6)}},
        {"lesson04_keypad",
         {"--ticks", "900", "--at", "5:keydown:1:3:3", "--at", "300:keyup:1:3:3"},
         {Array(2, "segments", 0, kDigit1 + kDigit5)}},
        {"lesson05_clock",
         {"--ticks", "400", "--time", "10:05:38"},
         {Array(1, "segments", 0, kDigit1 + kDigit0 + kDigit0 + kDigit5 + kDigit3 + kDigit8)}},
        {"lesson06_lcd_8bit",
         {"--ticks", "1200"},
         {Shows(kOutput, "结束"), Shows(1, R"("text":["HELLO .         ","8-BIT MODE      "])"),
          Shows(1, R"("cgram":[0,10,31,31,31,14,4,0,0,)"), Shows(1, R"("eightBit":1)"),
          Array(1, "cells", 6 * 40, ".....  .X.X.  XXXXX  XXXXX  XXXXX  .XXX.  ..X..  .....")}},
        {"lesson07_lcd_4bit",
         {"--ticks", "1200"},
         {Shows(kOutput, "结束"), Shows(1, R"("text":["HELLO .         ","4-BIT MODE      "])"),
          Shows(1, R"("twoLine":1,"eightBit":0)"),
          Array(1, "cells", 6 * 40, ".....  .X.X.  .X.X.  .....  X...X  .XXX.  .....  .....")}},
        {"lesson08_matrix16", {"--ticks", "1000"}, {Array(2, "dots", 0, kHeart16)}},
        {"lesson09_matrix32",
         {"--ticks", "2000"},
         {Array(2, "dots", 8 * 32, kFaceEyes), Array(2, "dots", 23 * 32, kFaceMouth)}},
        {"lesson10_gates",
         {"--ticks", "100"},
         {Shows(kOutput, "开始\n> 25 <\n> 12 <\n> 13 <\n> 6 <\n> 2 <\n> 3 <\n结束\n"),
          Shows(6, R"("q":1,"qbar":0)"), Shows(7, R"("q":1,"qbar":0)"), Shows(8, R"("lit":1)"),
          Shows(9, R"("lit":1)")}},
        {"lesson11_expander",
         {"--ticks", "200"},
         {Array(1, "latches", 0, "10011111 10100000 00000000"), Array(2, "lit", 0, "01100000"),
          Shows(3, R"("lit":0)"), Shows(4, R"("lit":1)"), Shows(5, R"("lit":0)")}},
        {"lesson12_motors",
         {"--ticks", "600", "--dt", "0.01", "--speed-factor", "100"},
         {Shows(1, R"("angle":202,"duty":1,"direction":1)"), Shows(2, R"("angle":48.8)"),
          Shows(2, R"("direction":0)"), Shows(3, R"("angle":90,"position":1)")}},
        {"lesson13_dac",
         {"--ticks", "200", "--at", "1:scope1:run"},
         {Shows(2, R"("reading":"2.50980")"), Shows(kOutput, "0.93333334,0.93333334,1,1,1,1,0,0,0.06666667"),
          Shows(kOutput, "0.5019608,0.5019608]")}},
        {"lesson14_potentiometer",
         {"--ticks", "40", "--at", "5:slider:1:0.3"},
         {Shows(kOutput, "> 0 <\n> 307 <\n"), Shows(2, R"("lit":0)")}},
        {"lesson14_potentiometer",
         {"--ticks", "40", "--at", "5:slider:1:0.3", "--at", "20:slider:1:0.75"},
         {Shows(kOutput, "> 307 <\n> 767 <\n"), Shows(2, R"("lit":1)")}},
        {"lesson15_tune",
         {"--ticks", "8000"},
         {Shows(kOutput, "> 1 <\n结束"),
          Shows(
              kEvents,
              R"({"tick":2,"event":"play","text":"C4;48,48;C4;48,48;G4;48,48;G4;48,48;A4;48,48;A4;48,48;G4;96"})"),
          Shows(kEvents,
                R"("event":"play","text":"E4;48,48;E4;48,48;B4;48,48;B4;48,48;C5;48,48;C5;48,48;B4;96"})")}},
        {"lesson16_voice",
         {"--ticks", "12000", "--time", "10:05:00"},
         {Shows(kOutput, "> 1005 <\n结束"), Shows(kEvents, R"({"tick":2,"event":"voice","clip":5,)"),
          Shows(kEvents, R"("event":"clock","words":["XZ","SHANGWU","SHI","DIAN","0","5","FEN"])")}},
        {"lesson17_scope",
         {"--ticks", "14", "--at", "1:scope:run"},
         {Shows(kOutput,
                R"("samples":[[null,0,0,1,1,1,0,0,0,1,1,1,0,0],[null,0,0,0,0,0,1,1,1,1,1,1,0,0],)")}},
    };
    const std::filesystem::path examples(KELTO_EXAMPLES_DIR);
    const std::filesystem::path events = ScratchDir("examples") / "events.jsonl";
    for (const TExampleCase& c : cases) {
        SCOPED_TRACE(c.Lesson);
        std::vector<std::string> args = c.Args;
        args.insert(args.end(), {"--events", events.string(), "--state", "-",
                                 (examples / (std::string(c.Lesson) + ".dps")).string(),
                                 (examples / (std::string(c.Lesson) + ".txt")).string()});
        const TCliResult run = RunCli(args);
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        const std::string eventText = ReadFileText(events);
        for (const TExpect& e : c.Expect) {
            const std::string text = e.Component == kOutput   ? run.Out
                                     : e.Component == kEvents ? eventText
                                                              : ComponentJson(run.Out, e.Component);
            if (e.ArrayKey.empty()) {
                EXPECT_NE(text.find(e.Fragment), std::string::npos) << e.Fragment << "\n"
                                                                    << text.substr(0, 600);
                continue;
            }
            const std::vector<int> values = IntArray(text, e.ArrayKey);
            ASSERT_GE(values.size(), e.Offset + e.Bits.size()) << e.ArrayKey;
            const std::vector<int> shown(values.begin() + static_cast<std::ptrdiff_t>(e.Offset),
                                         values.begin() +
                                             static_cast<std::ptrdiff_t>(e.Offset + e.Bits.size()));
            EXPECT_EQ(shown, e.Bits) << e.ArrayKey << " from " << e.Offset;
        }
    }
}

// Teachers hand these out as they are: each program opens with comment lines
// (no line number) before its header, with CR LF, beside its circuit; together
// the circuits place every one of the 31 part types.
TEST(Examples, LessonsAreCommentedAndCoverEveryPart)
{
    const std::regex componentType("<CtrlNode TYPE=\"([0-9]+)\">\r\n *<POSX>");
    std::set<int> types;
    int lessons = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KELTO_EXAMPLES_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("lesson", 0) != 0 || entry.path().extension() != ".txt")
            continue;
        SCOPED_TRACE(name);
        ++lessons;
        const std::string text = ReadFileText(entry.path());
        EXPECT_FALSE(text.empty() || std::isdigit(static_cast<unsigned char>(text[0])));
        EXPECT_NE(text.find("\r\n0 REM \"KELTOBASIC\"\r\n"), std::string::npos);
        EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
        auto circuit = entry.path();
        const std::string circuitText = ReadFileText(circuit.replace_extension(".dps"));
        EXPECT_FALSE(circuitText.empty());
        for (std::sregex_iterator it(circuitText.begin(), circuitText.end(), componentType), end; it != end;
             ++it)
            types.insert(std::stoi((*it)[1].str()));
    }
    EXPECT_GE(lessons, 16);
    EXPECT_EQ(types.size(), 31u);
}

} // namespace
} // namespace kelto
