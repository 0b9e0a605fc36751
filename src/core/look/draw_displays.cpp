// Drawing of the LED displays: both 7-segment displays, the bar display and
// both dot matrices. Every element is drawn, lit or unlit.
#include "core/look/draw_parts.h"
#include "core/look/segment_outlines.h"
#include "core/look/shapes.h"

#include "core/circuit/parts.h"

#include <span>
#include <utility>
#include <vector>

namespace kelto::look {

namespace {

constexpr int kSegmentsPerDigit = 8;
constexpr int kDecimalPoint = 7;

// Filled, then outlined in the same colour.
void DrawSegment(TDisplayList& list, const TSegmentOutline& outline, int ox, int oy, TArgb colour)
{
    std::vector<TPoint> points = Shifted({outline.begin(), outline.end()}, ox, oy);
    FillPolygon(list, points, colour);
    OutlinePolygon(list, std::move(points), colour);
}

// One digit's seven segments from the outline set, colours from its eight state bytes.
void DrawDigit(TDisplayList& list, const uint8_t* segments, int outlineSet, int ox, int oy)
{
    for (int s = 0; s < 7; ++s)
        DrawSegment(list, SegmentOutlines[outlineSet + s], ox, oy, LitOrUnlit(segments[s]));
}

// A dot and the white glint every dot carries, lit or not.
TDisplayList MatrixDot(int size, int glintOffset, uint8_t state)
{
    TDisplayList dot;
    FillCircle(dot, 0, 0, size, size, LitOrUnlit(state));
    FillRect(dot, glintOffset, glintOffset, 1, 1, ClrWhite);
    return dot;
}

// n x n dots from (16, 16), pitch apart, on the black face.
void DrawMatrixDots(TDisplayList& list, const TSimuPart& matrix, std::span<const uint8_t> dots, int n,
                    int pitch, int size, int glintOffset)
{
    constexpr int kFirst = 16;
    list.Operations.emplace_back(
        TDotField{&matrix,
                  {{kFirst, kFirst}, {pitch, pitch}, n, n, ClrInk},
                  {dots.begin(), dots.end()},
                  {MatrixDot(size, glintOffset, 0), MatrixDot(size, glintOffset, 1)}});
}

} // namespace

namespace {

// The two digit displays differ only in size: plate, caption line, digit
// outlines, pitch and decimal point.
struct TDigitRowLayout {
    int PlateWidth, PlateHeight, FaceWidth, FaceHeight;
    int CaptionY;
    const char* Caption;
    int OutlineSet;
    int Pitch;
    int PointX, PointY, PointSize;
};

void DrawDigitRow(TDisplayList& list, const TSimuPart& display, const uint8_t* allSegments, int digits,
                  const TDigitRowLayout& row)
{
    DisplayPlate(list, row.PlateWidth, row.PlateHeight, row.FaceWidth, row.FaceHeight);
    DrawPinMarkers(list, display);
    DrawText(list, 10, row.CaptionY, row.Caption);
    for (int d = 0; d < digits; ++d) {
        const uint8_t* segments = allSegments + kSegmentsPerDigit * d;
        DrawDigit(list, segments, row.OutlineSet, 17 + row.Pitch * d, 20);
        FillCircle(list, row.PointX + row.Pitch * d, row.PointY, row.PointSize, row.PointSize,
                   LitOrUnlit(segments[kDecimalPoint]));
    }
}

} // namespace

void DrawSegDispTwo(TDisplayList& list, const TSimuSegDispTwo& display)
{
    DrawDigitRow(list, display, display.FSegments.data(), 2,
                 {171, 141, 149, 109, 120, "A B C D E F G   DP   1 2", kLargeSegments, 76, 70, 96, 11});
}

void DrawSegDispSix(TDisplayList& list, const TSimuSegDispSix& display)
{
    DrawDigitRow(list, display, display.FSegments.data(), 6,
                 {388, 124, 366, 92, 103, "A B C D E F G   DP   1 2 3 4 5 6", kSmallSegments, 61, 59, 81, 9});
}

void DrawBitDisp(TDisplayList& list, const TSimuBitDisp& display)
{
    DisplayPlate(list, 197, 89, 175, 57);
    DrawPinMarkers(list, display);
    DrawText(list, 50, 68, "A B C D E F G H");
    for (int k = 0; k < 8; ++k)
        FillRect(list, 17 + 21 * k, 20, 14, 37, LitOrUnlit(display.FLit[k]));
}

void DrawDotMat1616(TDisplayList& list, const TSimuDotMat1616& matrix)
{
    static const TIndexedCaptions columns("C", 16);
    static const TIndexedCaptions rows("R", 16);
    DisplayPlate(list, 281, 261, 219, 219);
    DrawPinMarkers(list, matrix);
    // Neighbouring captions would overlap, so odd ones go on a second line.
    for (int e = 0; e < 16; e += 2) {
        const int o = e + 1;
        DrawText(list, 16 + 13 * e, 238, columns[e]);
        DrawText(list, 16 + 13 * o, 248, columns[o]);
        DrawText(list, 238, 16 + 13 * e, rows[e]);
        DrawText(list, 258, 16 + 13 * o, rows[o]);
    }
    DrawMatrixDots(list, matrix, matrix.FDots, 16, 13, 11, 3);
}

void DrawDotMat3232(TDisplayList& list, const TSimuDotMat3232& matrix)
{
    static const TIndexedCaptions columns("C", 32);
    static const TIndexedCaptions rows("R", 32);
    DisplayPlate(list, 330, 330, 268, 268);
    DrawPinMarkers(list, matrix);
    // Four caption lines below, two columns of captions to the right.
    for (int q = 0; q < 8; ++q) {
        for (int m = 0; m < 4; ++m) {
            const int n = 4 * q + m;
            DrawText(list, 14 + 8 * n, 287 + 10 * m, columns[n]);
        }
        for (int m = 0; m < 4; ++m) {
            const int n = 4 * q + m;
            DrawText(list, m % 2 == 0 ? 287 : 307, 14 + 8 * n, rows[n]);
        }
    }
    DrawMatrixDots(list, matrix, matrix.FDots, 32, 8, 7, 2);
}

} // namespace kelto::look
