// The file layer on its own: text to a circuit description and back, with no
// board linked in.
#include "core/files/circuit_file.h"

#include <gtest/gtest.h>

#include <string>

namespace kelto {
namespace {

std::string Record(const std::string& body)
{
    return "<record><CtrlNode " + body + "</CtrlNode></record>";
}

std::string Circuit(const std::string& parts, const std::string& wires)
{
    return "<KELTOSIMU><COMP>" + parts + "</COMP><CONN>" + wires + "</CONN></KELTOSIMU>";
}

TEST(CircuitDescription, RecordsAreReadAsWrittenWithNothingResolved)
{
    const std::string text =
        Circuit(Record("TYPE=\"+7\"><POSX>5 </POSX><POSY>-30</POSY><MODEL>3</MODEL>") +
                    Record("TYPE=\"99\"><POSX>1x</POSX>") +
                    Record("type=\"2\"><posx>2000000000</posx><POSY>-2000000000</POSY>"),
                Record("TYPE=\"2\"><SRCT>0</SRCT><SRCI>1</SRCI><DSTT>5</DSTT><DSTI>0</DSTI><POINT>" +
                       Record("><POSX>10</POSX><POSY>20</POSY>") + "</POINT>") +
                    Record("TYPE=\"9\"><POINT/>"));
    TCircuitDescription circuit;
    ASSERT_TRUE(ReadCircuitDocument(text, circuit).Ok);
    ASSERT_EQ(circuit.Parts.size(), 3u);
    struct TExpected {
        int32_t FileType;
        std::optional<int32_t> Model;
        int32_t X;
        int32_t Y;
    };
    const TExpected parts[] = {
        {7, 3, 5, -30},             // leading +, blanks after a number, negative kept
        {99, std::nullopt, -1, -1}, // unknown type kept; text after digits and missing POSY read -1
        {2, std::nullopt, 1'000'000'000, -1'000'000'000}, // names in any case; clamped
    };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(circuit.Parts[i].FileType, parts[i].FileType);
        EXPECT_EQ(circuit.Parts[i].Model, parts[i].Model);
        EXPECT_EQ(circuit.Parts[i].X, parts[i].X);
        EXPECT_EQ(circuit.Parts[i].Y, parts[i].Y);
    }
    ASSERT_EQ(circuit.Wires.size(), 2u);
    EXPECT_EQ(circuit.Wires[0].Style, TLineStyle::lsElbowHorizontal);
    EXPECT_EQ(circuit.Wires[0].Source, (TPinLocation{0, 1}));
    EXPECT_EQ(circuit.Wires[0].Target, (TPinLocation{5, 0})); // no such part: the board decides
    EXPECT_EQ(circuit.Wires[0].Points, (std::vector<TPoint>{{10, 20}}));
    EXPECT_EQ(circuit.Wires[1].Style, TLineStyle::lsStraight);
    EXPECT_EQ(circuit.Wires[1].Source, (TPinLocation{-1, -1}));
}

TEST(CircuitDescription, WrittenTextReadsBackToTheSameDescription)
{
    TCircuitDescription circuit;
    circuit.Parts = {{14, std::nullopt, 0, 0}, {3, 2, -40, 7}};
    circuit.Wires = {{TLineStyle::lsElbowVertical, {0, 3}, {1, 0}, {{1, 2}, {-3, 4}}},
                     {TLineStyle::lsStraight, {1, 1}, {0, 0}, {}}};
    const std::string text = WriteCircuitDocument(circuit);
    EXPECT_NE(text.find("<MODEL>2</MODEL>"), std::string::npos);
    EXPECT_EQ(text.find("<MODEL>", text.find("<MODEL>") + 1), std::string::npos); // only where present
    TCircuitDescription back;
    ASSERT_TRUE(ReadCircuitDocument(text, back).Ok);
    ASSERT_EQ(back.Parts.size(), 2u);
    ASSERT_EQ(back.Wires.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back.Parts[i].FileType, circuit.Parts[i].FileType);
        EXPECT_EQ(back.Parts[i].Model, circuit.Parts[i].Model);
        EXPECT_EQ(back.Parts[i].X, circuit.Parts[i].X);
        EXPECT_EQ(back.Parts[i].Y, circuit.Parts[i].Y);
        EXPECT_EQ(back.Wires[i].Style, circuit.Wires[i].Style);
        EXPECT_EQ(back.Wires[i].Source, circuit.Wires[i].Source);
        EXPECT_EQ(back.Wires[i].Target, circuit.Wires[i].Target);
        EXPECT_EQ(back.Wires[i].Points, circuit.Wires[i].Points);
    }
    EXPECT_EQ(WriteCircuitDocument(TCircuitDescription{}),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<KELTOSIMU>\r\n  <COMP/>\r\n  <CONN/>\r\n"
              "</KELTOSIMU>\r\n");
}

TEST(CircuitDescription, AFileFailingItsCheckLeavesTheDescriptionAlone)
{
    TCircuitDescription circuit;
    circuit.Parts = {{14, std::nullopt, 1, 2}};
    const std::string text = Circuit(
        Record("TYPE=\"3\">"), Record("TYPE=\"1\"><POINT/>") + Record("TYPE=\"1\">") + Record("TYPE=\"1\">"));
    const TFileResult result = ReadCircuitDocument(text, circuit);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("wire 2 "), std::string::npos) << result.Message;
    ASSERT_EQ(circuit.Parts.size(), 1u);
    EXPECT_EQ(circuit.Parts[0].X, 1);
    EXPECT_TRUE(circuit.Wires.empty());
}

} // namespace
} // namespace kelto
