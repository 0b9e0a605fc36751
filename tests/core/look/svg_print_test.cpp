// The board as one list, its SVG document and its print style, read back
// without any surface.
#include "core/board/board.h"
#include "core/board/palette.h"
#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/look/board_drawing.h"
#include "core/look/colours.h"
#include "core/look/component_drawing.h"
#include "core/look/print_style.h"
#include "core/look/svg_writer.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <set>
#include <string>

namespace kelto::look {
namespace {

TEST(SvgWriter, BoardDocumentIsWellFormedWithItsPicturesDefinedOnceAndItsTextReal)
{
    TSimuBoard board;
    TSimuPart* mcu = board.PlaceItem(14);
    TSimuPart* led = board.PlaceItem(7);
    board.PlaceItem(10); // the motor's picture, turned
    board.PlaceItem(12); // the supply's picture, twice with the LED's caption
    board.MovePartTo(led->FBody, 300, 40);
    board.Canvas().CreateConnection(mcu->Pin(0), led->Pin(0));
    const TBoardPicture picture = BoardPicture(board, false);

    pugi::xml_document document;
    const std::string svg = SvgDocument(picture.List, picture.Extent);
    ASSERT_TRUE(document.load_string(svg.c_str())) << svg.substr(0, 400);
    const pugi::xml_node root = document.child("svg");
    EXPECT_EQ(root.attribute("width").as_int(), picture.Extent.W);
    EXPECT_EQ(root.attribute("height").as_int(), picture.Extent.H);

    std::set<std::string> ids;
    for (const pugi::xpath_node& id : root.select_nodes("//@id"))
        EXPECT_TRUE(ids.insert(id.attribute().as_string()).second) << id.attribute().as_string();
    EXPECT_EQ(root.child("defs").select_nodes("g[@id]").size(), 3u) << "MCU, motor, supply";
    const pugi::xpath_node_set uses = root.select_nodes("//use");
    EXPECT_GE(uses.size(), 3u);
    for (const pugi::xpath_node& use : uses) {
        const std::string target = use.node().attribute("xlink:href").as_string();
        EXPECT_TRUE(target.starts_with("#") && ids.contains(target.substr(1))) << target;
    }
    EXPECT_TRUE(root.select_node("//text[text()='KELTOBASIC']"));
    EXPECT_TRUE(root.select_node("//text[text()='+VCC']"));
    EXPECT_EQ(root.select_nodes("//polyline[@vector-effect='non-scaling-stroke']").size(), 1u) << "the wire";
}

// A repaint of some areas must hold everything a whole repaint draws there:
// a part within the drawing reach of an area, and a wire crossing it.
TEST(BoardDrawing, DrawingInAreasLeavesOutOnlyWhatCannotReachThem)
{
    const auto place = [](TSimuBoard& board, int x) {
        TSimuPart* led = board.CreateFromItem(*PaletteItem(7));
        board.MovePartTo(led->FBody, x, 0);
        return led;
    };
    TSimuBoard board;
    TSimuBoard nearOnly;
    TSimuPart* nearLed = place(board, 0);
    place(nearOnly, 0);
    TSimuPart* farLed = place(board, 600);
    const TBox extent = BoardExtent(board, 20);
    const auto drawn = [&extent](const TSimuBoard& b, const std::vector<TBox>* areas) {
        TDisplayList list;
        if (areas == nullptr)
            DrawBoard(list, b, extent);
        else
            DrawBoardIn(list, b, extent, *areas);
        return SvgDocument(list, extent);
    };
    const TRect nearBody = nearLed->FBody->Bounds();
    const TRect farBody = farLed->FBody->Bounds();
    const std::vector<TBox> everything{extent};
    const std::vector<TBox> nearPart{{nearBody.Left, nearBody.Top, 10, 10}};
    // Columns across the whole board just within and just beyond the far
    // part's reach: any wire between the two parts crosses both.
    const std::vector<TBox> inReach{{farBody.Left - kDrawReach, extent.Y, 1, extent.H}};
    const std::vector<TBox> outOfReach{{farBody.Left - kDrawReach - 1, extent.Y, 1, extent.H}};
    const std::vector<TBox> rightOfNear{{nearBody.Right + kDrawReach - 1, extent.Y, 1, extent.H}};
    const std::vector<TBox> none;
    EXPECT_EQ(drawn(board, &everything), drawn(board, nullptr));
    EXPECT_EQ(drawn(board, &nearPart), drawn(nearOnly, nullptr));
    EXPECT_EQ(drawn(board, &outOfReach), drawn(board, &none));
    EXPECT_NE(drawn(board, &inReach), drawn(board, &none));
    EXPECT_EQ(drawn(board, &rightOfNear), drawn(nearOnly, &rightOfNear));
    EXPECT_NE(drawn(board, &rightOfNear), drawn(board, &none));

    board.Canvas().CreateConnection(nearLed->Pin(0), farLed->Pin(0));
    EXPECT_NE(drawn(board, &outOfReach), drawn(board, &none)) << "the wire crosses the area";
}

bool Dark(TArgb colour)
{
    return ((colour >> 16) & 0xFF) < 0x60 && ((colour >> 8) & 0xFF) < 0x60 && (colour & 0xFF) < 0x60;
}

// Fills larger than a few pixels, with their colours, through dot fields.
void LargeFills(const TDisplayList& list, std::vector<TArgb>& fills)
{
    for (const TOperation& operation : list.Operations) {
        if (const auto* rect = std::get_if<TRectFill>(&operation); rect && rect->Box.W * rect->Box.H > 12)
            fills.push_back(rect->Colour);
        if (const auto* disc = std::get_if<TDiscFill>(&operation); disc && disc->Box.W * disc->Box.H > 12)
            fills.push_back(disc->Colour);
        if (const auto* polygon = std::get_if<TPolygon>(&operation); polygon && polygon->Filled)
            fills.push_back(polygon->Colour);
        if (const auto* field = std::get_if<TDotField>(&operation))
            for (const TDisplayList& cell : field->Cells)
                LargeFills(cell, fills);
    }
}

TEST(PrintStyle, NoPartPrintsABlackBlobAndLitStaysApartFromUnlit)
{
    for (const TPaletteItem& item : PaletteItems()) {
        SCOPED_TRACE(std::string(item.Caption));
        TSimuBoard board;
        TDisplayList list;
        DrawPart(list, *board.PlaceItem(item.Item));
        std::vector<TArgb> fills;
        LargeFills(ForPrint(list), fills);
        for (const TArgb fill : fills)
            EXPECT_FALSE(Dark(fill)) << std::hex << fill;
    }
    TSimuBoard board;
    auto& led = static_cast<TSimuLEDA&>(*board.PlaceItem(7));
    std::vector<TArgb> unlit, lit;
    TDisplayList list;
    DrawPart(list, led);
    LargeFills(ForPrint(list), unlit);
    led.FLit = 1;
    list.Operations.clear();
    DrawPart(list, led);
    LargeFills(ForPrint(list), lit);
    EXPECT_NE(lit, unlit);
}

} // namespace
} // namespace kelto::look
