// The pieces every part drawing shares: pin markers, text from its top-left
// point, display plates, pictures and the simple shapes, all in body coordinates.
#pragma once

#include "gui/render/colours.h"
#include "gui/render/render_kit.h"

#include <QPainter>

#include <vector>

namespace kelto {
class TSimuPart;
}

namespace kelto::gui {

// A filled 7 x 7 circle whose box starts at (x, y).
void PinMarker(QPainter& painter, int x, int y, QRgb colour = ClrPinMarker);
// A marker for every pin, its box 5 pixels left of and above the pin.
void DrawPinMarkers(QPainter& painter, const TSimuPart& part);

void DrawText(QPainter& painter, const TRenderKit& kit, int x, int y, const QString& text,
              TPartFont font = TPartFont::Label, QRgb colour = ClrInk);
void DrawName(QPainter& painter, const TRenderKit& kit, const TSimuPart& part, int x, int y);

// Surround (-1, -1, plateWidth, plateHeight), face (10, 10, faceWidth, faceHeight), outline.
void DisplayPlate(QPainter& painter, int plateWidth, int plateHeight, int faceWidth, int faceHeight,
                  QRgb face = ClrInk);

// Stretched into dest, with hard edges like every other shape.
void DrawPicture(QPainter& painter, const TRenderKit& kit, TPictureSlot slot, const QRect& dest);
// Turned clockwise by degrees about centre.
void DrawRotatedPicture(QPainter& painter, const TRenderKit& kit, TPictureSlot slot, const QRect& dest,
                        double degrees, QPointF centre);

// Shapes: a 1-pixel solid pen unless a width is given; rectangles and circles
// by their bounding box, outlines running along x, x + w, y and y + h.
void Line(QPainter& painter, int x1, int y1, int x2, int y2, QRgb colour = ClrInk, int width = 1);
void OutlineRect(QPainter& painter, int x, int y, int w, int h, QRgb colour = ClrInk);
void FillRect(QPainter& painter, int x, int y, int w, int h, QRgb colour);
void OutlineCircle(QPainter& painter, int x, int y, int w, int h, QRgb colour = ClrInk);
void FillCircle(QPainter& painter, int x, int y, int w, int h, QRgb colour);
void FillPolygon(QPainter& painter, const QPoint* points, int count, QRgb colour);
void OutlinePolygon(QPainter& painter, const QPoint* points, int count, QRgb colour = ClrInk);
void Polyline(QPainter& painter, const QPoint* points, int count, QRgb colour = ClrInk);

// Captions made of a prefix and a decimal index ("J0", "C15", "QA7"), built
// once so that painting formats nothing.
class TIndexedCaptions {
public:
    TIndexedCaptions(const QString& prefix, int count);
    // The caption for index; an empty text outside 0 .. count - 1.
    const QString& operator[](int index) const;

private:
    std::vector<QString> FCaptions;
    QString FEmpty;
};

} // namespace kelto::gui
