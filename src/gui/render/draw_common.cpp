#include "gui/render/draw_common.h"

#include "core/circuit/catalogue.h"
#include "core/circuit/parts.h"

#include <algorithm>
#include <cmath>

namespace kelto::gui {

namespace {

constexpr int kMarkerSize = 7;
constexpr int kMarkerOffset = 5;

// A flat cap leaves out the end pixel of a 1-pixel line; the square cap
// reaches exactly to it. Wider pens end flat at their end points.
QPen SolidPen(QRgb colour, int width)
{
    QPen pen(QColor::fromRgba(colour), width);
    pen.setCapStyle(width == 1 ? Qt::SquareCap : Qt::FlatCap);
    return pen;
}

} // namespace

void PinMarker(QPainter& painter, int x, int y, QRgb colour)
{
    FillCircle(painter, x, y, kMarkerSize, kMarkerSize, colour);
}

void DrawPinMarkers(QPainter& painter, const TSimuPart& part)
{
    for (const TPinSpec& pin : ClassInfo(part.FOwnerType).Pins)
        PinMarker(painter, pin.X - kMarkerOffset, pin.Y - kMarkerOffset);
}

void DrawText(QPainter& painter, const TRenderKit& kit, int x, int y, const QString& text, TPartFont font,
              QRgb colour)
{
    painter.setFont(kit.Font(font));
    painter.setPen(QColor::fromRgba(colour));
    painter.drawText(QPoint(x, y + kit.Ascent(font)), text);
}

void DrawName(QPainter& painter, const TRenderKit& kit, const TSimuPart& part, int x, int y)
{
    DrawText(painter, kit, x, y, QString::fromStdString(part.FName));
}

void DisplayPlate(QPainter& painter, int plateWidth, int plateHeight, int faceWidth, int faceHeight,
                  QRgb face)
{
    FillRect(painter, -1, -1, plateWidth, plateHeight, ClrPlate);
    FillRect(painter, 10, 10, faceWidth, faceHeight, face);
    OutlineRect(painter, -1, -1, plateWidth, plateHeight);
}

void DrawPicture(QPainter& painter, const TRenderKit& kit, TPictureSlot slot, const QRect& dest)
{
    const TAliasedPicture picture = kit.AliasedPicture(slot, dest);
    painter.drawImage(picture.Origin, picture.Image);
}

// Turned while rasterised, so the turned picture keeps hard edges.
void DrawRotatedPicture(QPainter& painter, const TRenderKit& kit, TPictureSlot slot, const QRect& dest,
                        double degrees, QPointF centre)
{
    const TAliasedPicture picture = kit.AliasedPicture(slot, dest, degrees, centre);
    painter.drawImage(picture.Origin, picture.Image);
}

void Line(QPainter& painter, int x1, int y1, int x2, int y2, QRgb colour, int width)
{
    painter.setPen(SolidPen(colour, width));
    painter.drawLine(x1, y1, x2, y2);
}

void OutlineRect(QPainter& painter, int x, int y, int w, int h, QRgb colour)
{
    painter.setPen(SolidPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(x, y, w, h);
}

void FillRect(QPainter& painter, int x, int y, int w, int h, QRgb colour)
{
    painter.fillRect(x, y, w, h, QColor::fromRgba(colour));
}

void OutlineCircle(QPainter& painter, int x, int y, int w, int h, QRgb colour)
{
    painter.setPen(SolidPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(x, y, w, h);
}

// Row by row, the pixels whose centres lie in the ellipse: the first and last
// rows and columns of the box are always reached, as by a fill of the box.
void FillCircle(QPainter& painter, int x, int y, int w, int h, QRgb colour)
{
    const QColor brush = QColor::fromRgba(colour);
    const double rx = w / 2.0;
    const double ry = h / 2.0;
    for (int row = 0; row < h; ++row) {
        const double dy = (row + 0.5 - ry) / ry;
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        const int first = static_cast<int>(std::ceil(rx - half - 0.5));
        const int last = static_cast<int>(std::floor(rx + half - 0.5));
        if (last >= first)
            painter.fillRect(x + first, y + row, last - first + 1, 1, brush);
    }
}

void FillPolygon(QPainter& painter, const QPoint* points, int count, QRgb colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgba(colour));
    painter.drawPolygon(points, count);
}

void OutlinePolygon(QPainter& painter, const QPoint* points, int count, QRgb colour)
{
    painter.setPen(SolidPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(points, count);
}

void Polyline(QPainter& painter, const QPoint* points, int count, QRgb colour)
{
    painter.setPen(SolidPen(colour, 1));
    painter.drawPolyline(points, count);
}

TIndexedCaptions::TIndexedCaptions(const QString& prefix, int count)
{
    for (int i = 0; i < count; ++i)
        FCaptions.push_back(prefix + QString::number(i));
}

const QString& TIndexedCaptions::operator[](int index) const
{
    return index >= 0 && index < static_cast<int>(FCaptions.size()) ? FCaptions[index] : FEmpty;
}

} // namespace kelto::gui
