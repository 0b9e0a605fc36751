// The SVG surface drawn by Qt's SVG renderer looks like the painter surface
// where it matters: lit and unlit segments and bars, plates, pin markers and
// the LED glow, each checked inside its shape.
#include "rendered_part.h"

#include "gui/render/painter_surface.h"

#include "core/circuit/catalogue.h"
#include "core/look/board_drawing.h"
#include "core/look/svg_writer.h"

#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace kelto::gui {
namespace {

QImage Painted(const look::TBoardPicture& picture)
{
    QImage image(picture.Extent.W, picture.Extent.H, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-picture.Extent.X, -picture.Extent.Y);
    Replay(painter, TestKit(), picture.List);
    return image;
}

QImage FromSvg(const look::TBoardPicture& picture)
{
    QSvgRenderer renderer(QByteArray::fromStdString(look::SvgDocument(picture.List, picture.Extent)));
    QImage image(picture.Extent.W, picture.Extent.H, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

TEST(SvgSurface, RenderedSvgMatchesThePainterInsideEveryShape)
{
    TSimuBoard board;
    TSimuPart* digits = board.PlaceItem(17);
    TSimuPart* bars = board.PlaceItem(20);
    TSimuPart* led = board.PlaceItem(7);
    board.MovePartTo(digits->FBody, 0, 0);
    board.MovePartTo(bars->FBody, 0, 200);
    board.MovePartTo(led->FBody, 250, 0);
    static_cast<TSimuSegDispTwo*>(digits)->FSegments[1] = 1; // digit 1, segment B
    static_cast<TSimuBitDisp*>(bars)->FLit[2] = 1;
    static_cast<TSimuLEDA*>(led)->FLit = 1;
    const look::TBoardPicture picture = look::BoardPicture(board, false);
    const QImage painted = Painted(picture);
    const QImage svg = FromSvg(picture);
    ASSERT_EQ(svg.size(), painted.size());

    const TPinSpec& pin = ClassInfo(otLEDA).Pins[0];
    struct TCase {
        const char* What;
        QPoint At; // on the board
        QRgb Expected;
    };
    const TCase cases[] = {
        {"segment B lit", {17 + 50, 20 + 22}, ClrLit},
        {"segment A unlit", {17 + 29, 20 + 3}, ClrUnlit},
        {"plate", {2, 2}, ClrPlate},
        {"face", {12, 12}, ClrInk},
        {"bar lit", {17 + 42 + 7, 200 + 38}, ClrLit},
        {"bar unlit", {17 + 63 + 7, 200 + 38}, ClrUnlit},
        {"pin marker", {250 + pin.X - 2, pin.Y - 2}, ClrPinMarker},
        {"LED glow", {250 + 30, 100}, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const QPoint p = c.At - QPoint(picture.Extent.X, picture.Extent.Y);
        if (c.Expected != 0) {
            EXPECT_EQ(painted.pixel(p), c.Expected) << std::hex << painted.pixel(p);
        }
        EXPECT_EQ(svg.pixel(p), painted.pixel(p)) << std::hex << svg.pixel(p) << " " << painted.pixel(p);
    }
}

} // namespace
} // namespace kelto::gui
