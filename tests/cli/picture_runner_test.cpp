// --picture: the board after the last tick, in the format its extension
// names; PNG and PDF only where the runner was built with Qt.
#include "run_cli.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using namespace kelto::testing;
namespace fs = std::filesystem;

const std::string kCircuit = (fs::path(KELTO_EXAMPLES_DIR) / "lesson01_blink.dps").string();
const std::string kProgram = (fs::path(KELTO_EXAMPLES_DIR) / "lesson01_blink.txt").string();

TEST(PictureRunner, EachExtensionGetsItsFormatOrAClearRefusal)
{
    struct TCase {
        const char* File;
        std::string Starts; // the file's first bytes
        bool NeedsQt;
    };
    const TCase cases[] = {
        {"board.svg", "<?xml", false}, {"board.PNG", "\x89PNG", true}, {"board.pdf", "%PDF", true}};
    const fs::path dir = ScratchDir("picture_formats");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File);
        const TCliResult run =
            RunCli({"--ticks", "50", "--picture", (dir / c.File).string(), kCircuit, kProgram});
        if (c.NeedsQt && !KELTO_RUNNER_HAS_QT) {
            EXPECT_EQ(run.ExitCode, 2);
            EXPECT_NE(run.Err.find("SVG pictures only"), std::string::npos) << run.Err;
            EXPECT_FALSE(fs::exists(dir / c.File));
            continue;
        }
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        EXPECT_EQ(ReadFileText(dir / c.File).rfind(c.Starts, 0), 0u);
    }
    EXPECT_EQ(RunCli({"--picture", (dir / "board.gif").string(), kCircuit}).ExitCode, 2);
}

TEST(PictureRunner, SvgShowsTheBoardAsItStandsAfterTheLastTick)
{
    const fs::path dir = ScratchDir("picture_svg");
    const std::string svg = (dir / "board.svg").string();
    // The program switches its LEDs every 100 ticks.
    ASSERT_EQ(RunCli({"--ticks", "150", "--picture", svg, kCircuit, kProgram}).ExitCode, 0);
    const std::string on = ReadFileText(svg);
    EXPECT_NE(on.find(">KELTOBASIC</text>"), std::string::npos);
    EXPECT_NE(on.find("<polyline"), std::string::npos) << "the wires";
    ASSERT_EQ(RunCli({"--ticks", "250", "--picture", svg, kCircuit, kProgram}).ExitCode, 0);
    EXPECT_NE(ReadFileText(svg), on);
}

} // namespace
} // namespace kelto
