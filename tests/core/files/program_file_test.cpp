#include "core/files/gbk.h"
#include "core/files/program_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kelto {
namespace {

namespace fs = std::filesystem;

fs::path ScratchFolder(const std::string& name)
{
    const fs::path folder =
        fs::temp_directory_path() / ("kelto_program_" + name + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

using Lines = std::vector<std::string>;

TEST(ProgramText, EveryKindOfLineEndEndsALine)
{
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"\n\r", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"\r\na", {"", "a"}},
    };
    for (const auto& [text, lines] : cases) {
        SCOPED_TRACE(::testing::PrintToString(text));
        EXPECT_EQ(SplitProgramText(text), lines);
    }
}

TEST(ProgramText, GbkRoundTripsChineseAndFlagsWhatItCannotHold)
{
    const std::string chinese = "10 REM \"PRINT 1\" 打印";
    const TGbkConversion encoded = EncodeGbk(chinese);
    ASSERT_TRUE(encoded.Ok);
    EXPECT_EQ(encoded.Text, "10 REM \"PRINT 1\" \xB4\xF2\xD3\xA1");
    EXPECT_EQ(DecodeGbk(encoded.Text), chinese);

    const TGbkConversion emoji = EncodeGbk("ab\xF0\x9F\x98\x80"
                                           "c");
    EXPECT_FALSE(emoji.Ok);
    EXPECT_EQ(emoji.FailedOffset, 2u);
    EXPECT_EQ(emoji.FailedCharacter, U'\U0001F600');
    EXPECT_EQ(EncodeGbkLenient("ab\xF0\x9F\x98\x80"
                               "c中"),
              "ab?c\xD6\xD0");
    EXPECT_EQ(DecodeGbk("a\xFF"
                        "b\xD6"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
}

TEST(ProgramFile, SaveWritesGbkWithCrLfAfterEveryLineAndLoadReadsItBack)
{
    const fs::path folder = ScratchFolder("save");
    const std::string path = (folder / "p.txt").string();
    const Lines lines = {"0 REM \"KELTOBASIC\"", "", "10 REM \"PRINT 1\" 中文"};
    ASSERT_TRUE(SaveProgramFile(path, lines).Ok);
    EXPECT_EQ(ReadBytes(path), "0 REM \"KELTOBASIC\"\r\n\r\n10 REM \"PRINT 1\" \xD6\xD0\xCE\xC4\r\n");
    Lines loaded;
    ASSERT_TRUE(LoadProgramFile(path, loaded).Ok);
    EXPECT_EQ(loaded, lines);
    fs::remove_all(folder);
}

TEST(ProgramFile, LoadAcceptsLoneLineEndsAndStrayBytes)
{
    const fs::path folder = ScratchFolder("load");
    const fs::path path = folder / "p.txt";
    WriteBytes(path, "0 REM \"KELTOBASIC\"\r10 REM \"A=1\"\n20 REM \"\xD6\xD0\"\xFF");
    Lines loaded;
    ASSERT_TRUE(LoadProgramFile(path.string(), loaded).Ok);
    EXPECT_EQ(loaded, (Lines{"0 REM \"KELTOBASIC\"", "10 REM \"A=1\"", "20 REM \"中\"\xEF\xBF\xBD"}));
    fs::remove_all(folder);
}

TEST(ProgramText, ReadsUtf8WhenMarkedOrWhenItCannotBeGbkChinese)
{
    const std::string utf8WithStrayByte = "中\xFF";
    const std::pair<std::string, std::string> cases[] = {
        {"10 REM \"A=1\"", "10 REM \"A=1\""},
        {"\xD6\xD0\xCE\xC4", "中文"},
        {"中文", "中文"},
        {"\xEF\xBB\xBF"
         "10 \xC2\xB6",
         "10 ¶"},
        {"\xEF\xBB\xBF"
         "a\xFF",
         "a\xEF\xBF\xBD"},
        // Two-byte sequences alone are as likely GBK: 露 is C2 B6 there.
        {"\xC2\xB6", "露"},
        {utf8WithStrayByte, DecodeGbk(utf8WithStrayByte)},
        // An overlong form is not UTF-8.
        {"\xE0\x80\xAF", DecodeGbk("\xE0\x80\xAF")},
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        EXPECT_EQ(DecodeProgramText(bytes), text);
    }
}

TEST(ProgramFile, SaveRefusesCharactersGbkCannotHoldAndKeepsTheOldFile)
{
    const fs::path folder = ScratchFolder("refuse");
    const fs::path path = folder / "p.txt";
    WriteBytes(path, "old\r\n");
    const TFileResult result =
        SaveProgramFile(path.string(), {"0 REM \"KELTOBASIC\"", "10 REM \"A=1\" \xF0\x9F\x98\x80"});
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("line 2"), std::string::npos) << result.Message;
    EXPECT_NE(result.Message.find("U+1F600"), std::string::npos) << result.Message;
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

TEST(ProgramFile, MoreLinesThanAProgramCanNumberAreRefused)
{
    const fs::path folder = ScratchFolder("lines");
    const struct {
        std::string Bytes;
        bool Ok;
    } cases[] = {
        {std::string(65536, '\r'), true},
        {std::string(65535, '\n') + "x", true},
        {std::string(65536, '\r') + "x", false},
        {std::string(65537, '\n'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Bytes.size());
        WriteBytes(folder / "p.txt", c.Bytes);
        Lines loaded;
        const TFileResult result = LoadProgramFile((folder / "p.txt").string(), loaded);
        EXPECT_EQ(result.Ok, c.Ok);
        EXPECT_EQ(loaded.size(), c.Ok ? 65536u : 0u);
        if (!c.Ok) {
            EXPECT_NE(result.Message.find("p.txt: the file has more than 65536 lines"), std::string::npos)
                << result.Message;
        }
    }
    fs::remove_all(folder);
}

TEST(ProgramFile, MissingFileGivesAMessage)
{
    Lines loaded{"kept"};
    const TFileResult result = LoadProgramFile("/nonexistent/kelto.txt", loaded);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("/nonexistent/kelto.txt"), std::string::npos);
    EXPECT_EQ(loaded, Lines{"kept"});
}

TEST(ProgramFile, InterpreterLinesReplaceWhatGbkCannotHold)
{
    EXPECT_EQ(ProgramLinesAsGbk({"10 REM \"A=1\" 中", "\xF0\x9F\x98\x80"}),
              (Lines{"10 REM \"A=1\" \xD6\xD0", "?"}));
}

} // namespace
} // namespace kelto
