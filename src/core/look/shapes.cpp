#include "core/look/shapes.h"

#include "core/circuit/catalogue.h"
#include "core/circuit/parts.h"

namespace kelto::look {

namespace {

constexpr int kMarkerSize = 7;
constexpr int kMarkerOffset = 5;

} // namespace

void PinMarker(TDisplayList& list, int x, int y, TArgb colour)
{
    FillCircle(list, x, y, kMarkerSize, kMarkerSize, colour);
}

void DrawPinMarkers(TDisplayList& list, const TSimuPart& part)
{
    for (const TPinSpec& pin : ClassInfo(part.FOwnerType).Pins)
        PinMarker(list, pin.X - kMarkerOffset, pin.Y - kMarkerOffset);
}

void DrawText(TDisplayList& list, int x, int y, std::string text, TFace face, TArgb colour)
{
    list.Operations.emplace_back(TText{{x, y}, std::move(text), face, colour, false});
}

void DrawVerticalText(TDisplayList& list, int x, int y, std::string text, TFace face, TArgb colour)
{
    list.Operations.emplace_back(TText{{x, y}, std::move(text), face, colour, true});
}

void DrawName(TDisplayList& list, const TSimuPart& part, int x, int y)
{
    DrawText(list, x, y, part.FName);
}

void DisplayPlate(TDisplayList& list, int plateWidth, int plateHeight, int faceWidth, int faceHeight,
                  TArgb face)
{
    FillRect(list, -1, -1, plateWidth, plateHeight, ClrPlate);
    FillRect(list, 10, 10, faceWidth, faceHeight, face);
    OutlineRect(list, -1, -1, plateWidth, plateHeight);
}

void DrawPicture(TDisplayList& list, TPicture picture, TBox dest)
{
    list.Operations.emplace_back(TPictureRun{picture, dest, 0, {}});
}

void DrawRotatedPicture(TDisplayList& list, TPicture picture, TBox dest, double degrees, TPointF centre)
{
    list.Operations.emplace_back(TPictureRun{picture, dest, degrees, centre});
}

void Line(TDisplayList& list, int x1, int y1, int x2, int y2, TArgb colour, int width)
{
    list.Operations.emplace_back(
        TLine{{x1, y1}, {x2, y2}, colour, width, width == 1 ? TCap::Square : TCap::Flat});
}

void OutlineRect(TDisplayList& list, int x, int y, int w, int h, TArgb colour)
{
    list.Operations.emplace_back(TRectOutline{{x, y, w, h}, colour});
}

void FillRect(TDisplayList& list, int x, int y, int w, int h, TArgb colour)
{
    list.Operations.emplace_back(TRectFill{{x, y, w, h}, colour});
}

void OutlineCircle(TDisplayList& list, int x, int y, int w, int h, TArgb colour)
{
    list.Operations.emplace_back(TEllipseOutline{{x, y, w, h}, colour});
}

void FillCircle(TDisplayList& list, int x, int y, int w, int h, TArgb colour)
{
    list.Operations.emplace_back(TDiscFill{{x, y, w, h}, colour});
}

void FillPolygon(TDisplayList& list, std::vector<TPoint> points, TArgb colour)
{
    list.Operations.emplace_back(TPolygon{std::move(points), colour, true});
}

void OutlinePolygon(TDisplayList& list, std::vector<TPoint> points, TArgb colour)
{
    list.Operations.emplace_back(TPolygon{std::move(points), colour, false});
}

void Polyline(TDisplayList& list, std::vector<TPoint> points, TArgb colour)
{
    list.Operations.emplace_back(TPolyline{std::move(points), colour, 1});
}

std::vector<TPoint> Shifted(std::vector<TPoint> points, int dx, int dy)
{
    for (TPoint& p : points) {
        p.X += dx;
        p.Y += dy;
    }
    return points;
}

TIndexedCaptions::TIndexedCaptions(const std::string& prefix, int count)
{
    for (int i = 0; i < count; ++i)
        FCaptions.push_back(prefix + std::to_string(i));
}

const std::string& TIndexedCaptions::operator[](int index) const
{
    return index >= 0 && index < static_cast<int>(FCaptions.size()) ? FCaptions[index] : FEmpty;
}

} // namespace kelto::look
