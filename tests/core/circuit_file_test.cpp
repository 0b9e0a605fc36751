// The simulation file: exact bytes out, tolerant and safe reading in.
#include "board_helpers.h"
#include "core/files/atomic_file.h"
#include "core/board/board_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace kelto {
namespace {

using namespace kelto::testing;

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::filesystem::path kData = KELTO_TEST_DATA_DIR;

// The lesson example: microcontroller, LED0 and ground with two wires.
void BuildLessonExample(TSimuBoard& board)
{
    TSimuPart& mcu = Place(board, kMCU, 200, 40);
    TSimuPart& led = Place(board, kLED0, 20, 60);
    TSimuPart& ground = Place(board, kGND, 20, 200);
    Wire(board, mcu, 13, led, 0)->SetLineStyle(TLineStyle::lsElbowHorizontal);
    Wire(board, ground, 0, mcu, 7)->AddPoint({120, 210});
}

TEST(CircuitWriter, LessonExampleComesOutByteForByte)
{
    TSimuBoard board;
    BuildLessonExample(board);
    EXPECT_EQ(WriteCircuitDocument(board), ReadText(kData / "lesson_example.dps"));
}

TEST(CircuitWriter, EmptyCircuitIsFiveLines)
{
    TSimuBoard board;
    EXPECT_EQ(WriteCircuitDocument(board), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<KELTOSIMU>\r\n"
                                           "  <COMP/>\r\n  <CONN/>\r\n</KELTOSIMU>\r\n");
    Place(board, kVCC);
    const std::string text = WriteCircuitDocument(board);
    EXPECT_NE(text.find("  <CONN/>\r\n"), std::string::npos);
    EXPECT_EQ(text.find("MODEL"), std::string::npos);
}

TEST(CircuitWriter, ResistorTrackIsNeverWrittenAndNegativePositionsAre)
{
    TSimuBoard board;
    Place(board, kResistor, -15, -40);
    const std::string text = WriteCircuitDocument(board);
    EXPECT_NE(text.find("<POSX>-15</POSX>"), std::string::npos);
    EXPECT_NE(text.find("<CONN/>"), std::string::npos);
}

TEST(CircuitReader, LessonExampleReadsBackToTheSameBytes)
{
    TSimuBoard board;
    const std::string original = ReadText(kData / "lesson_example.dps");
    ASSERT_TRUE(ReadCircuitDocument(board, original).Ok);
    EXPECT_EQ(board.PartCount(), 3);
    EXPECT_EQ(board.Part(1)->FName, "LED0");
    EXPECT_EQ(board.Canvas().Connections(0)->LineStyle(), TLineStyle::lsElbowHorizontal);
    EXPECT_EQ(WriteCircuitDocument(board), original);
}

TEST(CircuitReader, EveryPaletteItemRoundTripsWithItsModelAndPlace)
{
    TSimuBoard board;
    int32_t offset = 0;
    for (const TPaletteItem& item : PaletteItems()) {
        TSimuPart* part = board.PlaceItem(item.Item);
        board.MovePartTo(part->FBody, offset, -offset);
        offset += 7;
    }
    const std::string text = WriteCircuitDocument(board);
    TSimuBoard loaded;
    ASSERT_TRUE(ReadCircuitDocument(loaded, text).Ok);
    ASSERT_EQ(loaded.PartCount(), kPaletteItemCount);
    for (const TPaletteItem& item : PaletteItems()) {
        SCOPED_TRACE(item.Item);
        const TSimuPart* part = loaded.Slot(item.Item);
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(part->FName, item.Name);
        EXPECT_EQ(part->FBody->Left(), board.Slot(item.Item)->FBody->Left());
    }
    EXPECT_EQ(static_cast<TSimuAnNiuSwitch*>(loaded.Slot(kS2))->Port(0)->FLevel, 0);
    EXPECT_EQ(WriteCircuitDocument(loaded), text);
}

struct TToleranceCase {
    const char* Name;
    const char* Body;  // between <KELTOSIMU> and </KELTOSIMU>
    int32_t Parts;
    int32_t Wires;
    int32_t X = -1; // where the first part landed
    int32_t Y = -1;
};

TEST(CircuitReader, ToleratesWhatCreatesNothing)
{
    const TToleranceCase cases[] = {
        {"names in any case, other record names, a plus sign and blanks around numbers",
         "<comp><Item><node type=\"+7\"><posx>5 </posx><PosY> 6</PosY></node></Item></comp><Conn/>", 1, 0, 5, 6},
        {"unknown type and bad model", "<COMP><r><n TYPE=\"99\"/></r><r><n TYPE=\"5\"><MODEL>9</MODEL></n></r></COMP><CONN/>",
         0, 0},
        {"text after the digits and overflow read as -1",
         "<COMP><r><n TYPE=\"7\"><POSX>1x</POSX><POSY>99999999999</POSY></n></r></COMP><CONN/>", 1, 0, -1, -1},
        {"two microcontrollers, no position read as -1",
         "<COMP><r><n TYPE=\"6\"/></r><r><n TYPE=\"6\"/></r></COMP><CONN/>", 2, 0, -1, -1},
        {"wire end out of range is not built; negative positions stay",
         "<COMP><r><n TYPE=\"7\"><POSX>-250</POSX><POSY>-3</POSY></n></r><r><n TYPE=\"8\"/></r></COMP>"
         "<CONN><r><n TYPE=\"1\"><SRCT>0</SRCT><SRCI>0</SRCI><DSTT>1</DSTT><DSTI>5</DSTI><POINT/></n></r>"
         "<r><n TYPE=\"7\"><SRCT>0</SRCT><SRCI>0</SRCI><DSTT>1</DSTT><DSTI>0</DSTI><POINT/></n></r></CONN>",
         2, 1, -250, -3},
        {"negative indices; positions clamped only past a billion",
         "<COMP><r><n TYPE=\"7\"><POSX>-1000000001</POSX><POSY>-999999999</POSY></n></r></COMP>"
         "<CONN><r><n><SRCT>-1</SRCT><SRCI>0</SRCI><DSTT>0</DSTT><DSTI>0</DSTI><POINT/></n></r></CONN>",
         1, 0, -1000000000, -999999999},
    };
    for (const TToleranceCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSimuBoard board;
        const TFileResult result = ReadCircuitDocument(board, std::string("<KELTOSIMU>") + c.Body + "</KELTOSIMU>");
        ASSERT_TRUE(result.Ok) << result.Message;
        EXPECT_EQ(board.PartCount(), c.Parts);
        EXPECT_EQ(board.Canvas().ConnectionCount(), c.Wires);
        if (c.Parts > 0) {
            EXPECT_EQ(board.Part(0)->FBody->Left(), c.X);
            EXPECT_EQ(board.Part(0)->FBody->Top(), c.Y);
        }
    }
}

TEST(CircuitReader, TwoRecordsOfOneItemLeaveTheSlotOnTheLater)
{
    TSimuBoard board;
    ASSERT_TRUE(
        ReadCircuitDocument(board, "<K><COMP><r><n TYPE=\"6\"/></r><r><n TYPE=\"6\"/></r></COMP><CONN/></K>").Ok);
    EXPECT_EQ(board.Slot(kMCU), board.Part(1));
    EXPECT_EQ(board.Engine().Mcu(), board.Part(1));
}

// A file may list one item twice; saving must keep both parts and every wire
// on the part it joined, or the next load drops one and shifts the rest.
TEST(CircuitFiles, TwoPartsOfOneItemSurviveSaveAndReload)
{
    const char* file =
        "<K><COMP><r><n TYPE=\"3\"><POSX>10</POSX><POSY>20</POSY><MODEL>1</MODEL></n></r>"
        "<r><n TYPE=\"3\"><POSX>30</POSX><POSY>40</POSY><MODEL>1</MODEL></n></r>"
        "<r><n TYPE=\"7\"><POSX>50</POSX><POSY>60</POSY></n></r></COMP>"
        "<CONN><r><n TYPE=\"1\"><SRCT>0</SRCT><SRCI>0</SRCI><DSTT>2</DSTT><DSTI>0</DSTI><POINT/></n></r>"
        "<r><n "
        "TYPE=\"1\"><SRCT>2</SRCT><SRCI>0</SRCI><DSTT>1</DSTT><DSTI>0</DSTI><POINT/></n></r></CONN></K>";
    TSimuBoard loaded;
    ASSERT_TRUE(ReadCircuitDocument(loaded, file).Ok);
    const std::string saved = WriteCircuitDocument(loaded);
    TSimuBoard reloaded;
    ASSERT_TRUE(ReadCircuitDocument(reloaded, saved).Ok);

    const TCircuitDescription before = loaded.Describe();
    const TCircuitDescription after = reloaded.Describe();
    ASSERT_EQ(after.Parts.size(), 3U);
    for (size_t i = 0; i < after.Parts.size(); ++i) {
        EXPECT_EQ(after.Parts[i].FileType, before.Parts[i].FileType) << i;
        EXPECT_EQ(after.Parts[i].Model, before.Parts[i].Model) << i;
        EXPECT_EQ(after.Parts[i].X, before.Parts[i].X) << i;
    }
    EXPECT_EQ(after.Parts[0].Model, 1);
    ASSERT_EQ(after.Wires.size(), 2U);
    EXPECT_EQ(after.Wires[0].Source, (TPinLocation{0, 0}));
    EXPECT_EQ(after.Wires[1].Target, (TPinLocation{1, 0}));
    EXPECT_EQ(WriteCircuitDocument(reloaded), saved);
}

TEST(CircuitReader, HugePositionsStayInsideTheCoordinateRange)
{
    TSimuBoard board;
    ASSERT_TRUE(ReadCircuitDocument(board, "<K><COMP><r><n TYPE=\"30\"><POSX>2147483647</POSX>"
                                           "<POSY>-2147483648</POSY></n></r></COMP><CONN/></K>")
                    .Ok);
    const TSimuPart& matrix = *board.Part(0);
    EXPECT_EQ(matrix.PinPoint(0).X - matrix.FBody->Left(), 285); // the part kept its shape
    EXPECT_EQ(matrix.PinPoint(0).Y - matrix.FBody->Top(), 21);
}

struct TMalformedCase {
    const char* Name;
    std::string Text;
    const char* Mentions = "";
};

TEST(CircuitReader, MalformedFilesChangeNothingAndSayWhy)
{
    std::string binary(4096, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 131) % 256);
    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    const std::string lesson = ReadText(kData / "lesson_example.dps");
    const TMalformedCase cases[] = {
        {"empty", ""},
        {"not XML", "hello, teacher"},
        {"binary", binary},
        {"truncated", lesson.substr(0, lesson.size() / 2)},
        {"no COMP", "<KELTOSIMU><CONN/></KELTOSIMU>"},
        {"no CONN", "<KELTOSIMU><COMP/></KELTOSIMU>"},
        {"two wires without POINT name the first",
         "<K><COMP><r><n TYPE=\"7\"/></r></COMP><CONN><r><n><POINT/></n></r><r><n TYPE=\"1\"><SRCT>0</SRCT></n></r>"
         "<r><n/></r></CONN></K>",
         "wire 2 "},
        {"deeply nested", deep},
        {"mismatched tags", "<K><COMP></CONN></K>"},
    };
    for (const TMalformedCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSimuBoard board;
        BuildLessonExample(board);
        const std::string before = WriteCircuitDocument(board);
        const TFileResult result = ReadCircuitDocument(board, c.Text);
        EXPECT_FALSE(result.Ok);
        EXPECT_FALSE(result.Message.empty());
        EXPECT_NE(result.Message.find(c.Mentions), std::string::npos) << result.Message;
        EXPECT_EQ(WriteCircuitDocument(board), before);
    }
}

TEST(CircuitReader, TenThousandRecordsLoadAndClear)
{
    std::string text = "<K><COMP>";
    for (int i = 0; i < 10000; ++i)
        text += "<r><n TYPE=\"6\"><POSX>" + std::to_string(i) + "</POSX></n></r>";
    text += "</COMP><CONN>";
    for (int i = 0; i < 10000; ++i)
        text += "<r><n TYPE=\"1\"><SRCT>" + std::to_string(i) + "</SRCT><SRCI>0</SRCI><DSTT>" +
                std::to_string(9999 - i) + "</DSTT><DSTI>27</DSTI><POINT/></n></r>";
    text += "</CONN></K>";
    TSimuBoard board;
    ASSERT_TRUE(ReadCircuitDocument(board, text).Ok);
    EXPECT_EQ(board.PartCount(), 10000);
    EXPECT_EQ(board.Canvas().ConnectionCount(), 10000);
    board.ClearCircuit();
    EXPECT_EQ(board.Canvas().ObjectCount(), 0);
}

TEST(CircuitFiles, SaveIsAtomicAndAFailedSaveKeepsTheOldFile)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kelto_circuit_file_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "lesson.dps").string();
    TSimuBoard board;
    BuildLessonExample(board);
    ASSERT_TRUE(SaveCircuitFile(board, path).Ok);
    EXPECT_EQ(ReadText(path), ReadText(kData / "lesson_example.dps"));

    TSimuBoard loaded;
    ASSERT_TRUE(LoadCircuitFile(loaded, path).Ok);
    EXPECT_EQ(loaded.PartCount(), 3);

    if (::geteuid() != 0) { // root writes into read-only folders anyway
        ::chmod(dir.c_str(), 0555);
        TSimuBoard other;
        const TFileResult failed = SaveCircuitFile(other, path);
        ::chmod(dir.c_str(), 0755);
        EXPECT_FALSE(failed.Ok);
        EXPECT_EQ(ReadText(path), ReadText(kData / "lesson_example.dps"));
    }
    const TFileResult noFolder = SaveCircuitFile(board, (dir / "missing" / "x.dps").string());
    EXPECT_FALSE(noFolder.Ok);
    EXPECT_NE(noFolder.Message.find("x.dps"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1); // no temporary left behind

    const TFileResult missing = LoadCircuitFile(loaded, (dir / "nothing.dps").string());
    EXPECT_FALSE(missing.Ok);
    EXPECT_EQ(loaded.PartCount(), 3);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace kelto
