// The pieces every part drawing shares, recorded into a display list: pin
// markers, text from its top-left point, display plates, pictures and the
// simple shapes, all in body coordinates.
#pragma once

#include "core/look/colours.h"
#include "core/look/display_list.h"

#include <string>
#include <vector>

namespace kelto {
class TSimuPart;
}

namespace kelto::look {

// A filled 7 x 7 circle whose box starts at (x, y).
void PinMarker(TDisplayList& list, int x, int y, TArgb colour = ClrPinMarker);
// A marker for every pin, its box 5 pixels left of and above the pin.
void DrawPinMarkers(TDisplayList& list, const TSimuPart& part);

void DrawText(TDisplayList& list, int x, int y, std::string text, TFace face = TFace::Label,
              TArgb colour = ClrInk);
void DrawVerticalText(TDisplayList& list, int x, int y, std::string text, TFace face, TArgb colour);
void DrawName(TDisplayList& list, const TSimuPart& part, int x, int y);

// Surround (-1, -1, plateWidth, plateHeight), face (10, 10, faceWidth, faceHeight), outline.
void DisplayPlate(TDisplayList& list, int plateWidth, int plateHeight, int faceWidth, int faceHeight,
                  TArgb face = ClrInk);

void DrawPicture(TDisplayList& list, TPicture picture, TBox dest);
// Turned clockwise by degrees about centre.
void DrawRotatedPicture(TDisplayList& list, TPicture picture, TBox dest, double degrees, TPointF centre);

// Shapes: a 1-pixel solid pen unless a width is given; rectangles and circles
// by their bounding box.
void Line(TDisplayList& list, int x1, int y1, int x2, int y2, TArgb colour = ClrInk, int width = 1);
void OutlineRect(TDisplayList& list, int x, int y, int w, int h, TArgb colour = ClrInk);
void FillRect(TDisplayList& list, int x, int y, int w, int h, TArgb colour);
void OutlineCircle(TDisplayList& list, int x, int y, int w, int h, TArgb colour = ClrInk);
void FillCircle(TDisplayList& list, int x, int y, int w, int h, TArgb colour);
void FillPolygon(TDisplayList& list, std::vector<TPoint> points, TArgb colour);
void OutlinePolygon(TDisplayList& list, std::vector<TPoint> points, TArgb colour = ClrInk);
void Polyline(TDisplayList& list, std::vector<TPoint> points, TArgb colour = ClrInk);

// The points moved by (dx, dy).
std::vector<TPoint> Shifted(std::vector<TPoint> points, int dx, int dy);

// Captions made of a prefix and a decimal index ("J0", "C15", "QA7"), built once.
class TIndexedCaptions {
public:
    TIndexedCaptions(const std::string& prefix, int count);
    // The caption for index; an empty text outside 0 .. count - 1.
    const std::string& operator[](int index) const;

private:
    std::vector<std::string> FCaptions;
    std::string FEmpty;
};

} // namespace kelto::look
