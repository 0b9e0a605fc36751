#include "gui/render/painter_surface.h"

#include <QPainterPath>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace kelto::gui {

namespace {

using namespace look;

QPen SolidPen(TArgb colour, int width, TCap cap)
{
    QPen pen(QColor::fromRgba(colour), width);
    pen.setCapStyle(cap == TCap::Square ? Qt::SquareCap : Qt::FlatCap);
    return pen;
}

QPen OnePixelPen(TArgb colour)
{
    return SolidPen(colour, 1, TCap::Square);
}

QRect ToRect(const TBox& box)
{
    return {box.X, box.Y, box.W, box.H};
}

QPointF ToPointF(const TPointF& p)
{
    return {p.X, p.Y};
}

// QPoint and kelto::TPoint are both two ints, but are converted one by one
// to stay clear of layout assumptions.
QPolygon ToPolygon(const std::vector<TPoint>& points)
{
    QPolygon polygon(static_cast<int>(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
        polygon[static_cast<int>(i)] = QPoint(points[i].X, points[i].Y);
    return polygon;
}

// A scaled disc (a zoomed canvas, a 2x picture) takes the device pixels
// whose centres lie in it, so it stays round instead of growing steps.
void FillScaledDisc(QPainter& painter, const QRectF& device, const QColor& brush)
{
    const double rx = device.width() / 2.0;
    const double ry = device.height() / 2.0;
    const QPointF centre = device.center();
    painter.save();
    painter.resetTransform();
    for (int row = static_cast<int>(std::floor(device.top())); row < device.bottom(); ++row) {
        const double dy = (row + 0.5 - centre.y()) / ry;
        if (dy < -1.0 || dy > 1.0)
            continue;
        const double half = rx * std::sqrt(1.0 - dy * dy);
        const int first = static_cast<int>(std::ceil(centre.x() - half - 0.5));
        const int last = static_cast<int>(std::floor(centre.x() + half - 0.5));
        if (last >= first)
            painter.fillRect(first, row, last - first + 1, 1, brush);
    }
    painter.restore();
}

// Row by row, the pixels whose centres lie in the ellipse: the first and last
// rows and columns of the box are always reached, as by a fill of the box.
void FillDisc(QPainter& painter, const TBox& box, TArgb colour)
{
    const QColor brush = QColor::fromRgba(colour);
    if (painter.transform().type() == QTransform::TxScale) {
        FillScaledDisc(painter, painter.transform().mapRect(QRectF(ToRect(box))), brush);
        return;
    }
    const double rx = box.W / 2.0;
    const double ry = box.H / 2.0;
    for (int row = 0; row < box.H; ++row) {
        const double dy = (row + 0.5 - ry) / ry;
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        const int first = static_cast<int>(std::ceil(rx - half - 0.5));
        const int last = static_cast<int>(std::floor(rx + half - 0.5));
        if (last >= first)
            painter.fillRect(box.X + first, box.Y + row, last - first + 1, 1, brush);
    }
}

void DrawTextRun(QPainter& painter, const TRenderKit& kit, const TText& text)
{
    const QTransform upright = painter.transform();
    QPoint at(text.TopLeft.X, text.TopLeft.Y);
    if (text.Vertical) {
        painter.translate(text.TopLeft.X + kit.LineHeight(text.Face), text.TopLeft.Y);
        painter.rotate(90);
        at = {};
    }
    painter.setFont(kit.Font(text.Face));
    painter.setPen(QColor::fromRgba(text.Colour));
    painter.drawText(at + QPoint(0, kit.Ascent(text.Face)), QString::fromUtf8(text.Utf8));
    if (text.Vertical)
        painter.setTransform(upright);
}

// At 1:1 the hard-edged raster, as every other shape; scaled (a 2x picture,
// a PDF page) the picture from its vectors, so it stays sharp.
void DrawPictureRun(QPainter& painter, const TRenderKit& kit, const TPictureRun& run)
{
    if (!PutsImagesDownPixelForPixel(painter)) {
        painter.save();
        painter.translate(run.Centre.X, run.Centre.Y);
        painter.rotate(run.Degrees);
        painter.translate(-run.Centre.X, -run.Centre.Y);
        kit.Picture(run.Picture).render(&painter, QRectF(ToRect(run.Box)));
        painter.restore();
        return;
    }
    const TAliasedPicture picture =
        kit.AliasedPicture(run.Picture, ToRect(run.Box), run.Degrees, ToPointF(run.Centre));
    painter.drawImage(picture.Origin, picture.Image);
}

// Aliased, a one-pixel stroke along x fills the pixel from x to x + 1; a
// scaled one (a zoomed canvas, a 2x picture) is moved half a unit to run down
// the middle of that square too, as the fills beside it are drawn. Strokes an
// even number of pixels wide already straddle x.
class TStrokeAlignment {
public:
    TStrokeAlignment(QPainter& painter, int width) : FPainter(painter), FStart(painter.transform())
    {
        FMoved = width % 2 == 1 && FStart.type() == QTransform::TxScale;
        if (FMoved)
            painter.translate(0.5, 0.5);
    }
    ~TStrokeAlignment()
    {
        if (FMoved)
            FPainter.setTransform(FStart);
    }
    TStrokeAlignment(const TStrokeAlignment&) = delete;
    TStrokeAlignment& operator=(const TStrokeAlignment&) = delete;

private:
    QPainter& FPainter;
    QTransform FStart;
    bool FMoved;
};

void DrawCurve(QPainter& painter, const TCurve& curve)
{
    QPainterPath path(ToPointF(curve.Start));
    for (size_t i = 0; i + 2 < curve.Pieces.size(); i += 3)
        path.cubicTo(ToPointF(curve.Pieces[i]), ToPointF(curve.Pieces[i + 1]), ToPointF(curve.Pieces[i + 2]));
    painter.setPen(OnePixelPen(curve.Colour));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void DrawDotField(QPainter& painter, const TRenderKit& kit, const TDotField& field)
{
    const TDrawDot drawDot = [&](QPainter& cell, int x, int y, uint8_t state) {
        if (state >= field.Cells.size())
            return;
        cell.save();
        cell.translate(x, y);
        Replay(cell, kit, field.Cells[state]);
        cell.restore();
    };
    if (TDotFields* kept = kit.DotFields();
        kept != nullptr && kept->Draw(painter, field.Owner, field.Layout, field.States, drawDot))
        return;
    const int count =
        std::min(static_cast<int>(field.States.size()), field.Layout.Columns * field.Layout.Rows);
    for (int i = 0; i < count; ++i) {
        const TPoint at = field.Layout.CellAt(i % field.Layout.Columns, i / field.Layout.Columns);
        drawDot(painter, field.Layout.Origin.X + at.X, field.Layout.Origin.Y + at.Y,
                field.States[static_cast<size_t>(i)]);
    }
}

} // namespace

void Replay(QPainter& painter, const TRenderKit& kit, const TDisplayList& list)
{
    const QTransform start = painter.transform();
    bool moved = false;
    for (const TOperation& operation : list.Operations) {
        std::visit(
            [&](const auto& op) {
                using T = std::decay_t<decltype(op)>;
                if constexpr (std::is_same_v<T, TLine>) {
                    const TStrokeAlignment aligned(painter, op.Width);
                    painter.setPen(SolidPen(op.Colour, op.Width, op.Cap));
                    painter.drawLine(op.From.X, op.From.Y, op.To.X, op.To.Y);
                } else if constexpr (std::is_same_v<T, TPolyline>) {
                    const TStrokeAlignment aligned(painter, op.Width);
                    painter.setPen(op.Width == 1 ? OnePixelPen(op.Colour)
                                                 : QPen(QColor::fromRgba(op.Colour), op.Width));
                    painter.drawPolyline(ToPolygon(op.Points));
                } else if constexpr (std::is_same_v<T, TRectOutline>) {
                    const TStrokeAlignment aligned(painter, 1);
                    painter.setPen(OnePixelPen(op.Colour));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(ToRect(op.Box));
                } else if constexpr (std::is_same_v<T, TRectFill>) {
                    painter.fillRect(ToRect(op.Box), QColor::fromRgba(op.Colour));
                } else if constexpr (std::is_same_v<T, TEllipseOutline>) {
                    const TStrokeAlignment aligned(painter, 1);
                    painter.setPen(OnePixelPen(op.Colour));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawEllipse(ToRect(op.Box));
                } else if constexpr (std::is_same_v<T, TDiscFill>) {
                    FillDisc(painter, op.Box, op.Colour);
                } else if constexpr (std::is_same_v<T, TPolygon>) {
                    const TStrokeAlignment aligned(painter, op.Filled ? 0 : 1);
                    if (op.Filled) {
                        painter.setPen(Qt::NoPen);
                        painter.setBrush(QColor::fromRgba(op.Colour));
                    } else {
                        painter.setPen(OnePixelPen(op.Colour));
                        painter.setBrush(Qt::NoBrush);
                    }
                    painter.drawPolygon(ToPolygon(op.Points));
                } else if constexpr (std::is_same_v<T, TCurve>) {
                    const TStrokeAlignment aligned(painter, 1);
                    DrawCurve(painter, op);
                } else if constexpr (std::is_same_v<T, TText>) {
                    DrawTextRun(painter, kit, op);
                } else if constexpr (std::is_same_v<T, TPictureRun>) {
                    DrawPictureRun(painter, kit, op);
                } else if constexpr (std::is_same_v<T, TDotField>) {
                    DrawDotField(painter, kit, op);
                } else {
                    painter.setTransform(start);
                    painter.translate(op.At.X, op.At.Y);
                    moved = true;
                }
            },
            operation);
    }
    if (moved)
        painter.setTransform(start);
}

} // namespace kelto::gui
