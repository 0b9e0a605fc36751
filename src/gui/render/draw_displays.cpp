// Drawing of the LED displays: both 7-segment displays, the bar display and
// both dot matrices. Every element is drawn, lit or unlit.
#include "gui/render/dot_field.h"
#include "gui/render/draw_common.h"
#include "gui/render/draw_parts.h"
#include "gui/render/segment_outlines.h"

#include "core/circuit/parts.h"

#include <span>

namespace kelto::gui {

namespace {

constexpr int kSegmentsPerDigit = 8;
constexpr int kDecimalPoint = 7;

// Filled, then outlined in the same colour.
void DrawSegment(QPainter& painter, const TSegmentOutline& outline, int ox, int oy, QRgb colour)
{
    TSegmentOutline points;
    for (size_t i = 0; i < outline.size(); ++i)
        points[i] = outline[i] + QPoint(ox, oy);
    FillPolygon(painter, points.data(), static_cast<int>(points.size()), colour);
    OutlinePolygon(painter, points.data(), static_cast<int>(points.size()), colour);
}

// One digit's seven segments from the outline set, colours from its eight state bytes.
void DrawDigit(QPainter& painter, const uint8_t* segments, int outlineSet, int ox, int oy)
{
    for (int s = 0; s < 7; ++s)
        DrawSegment(painter, SegmentOutlines[outlineSet + s], ox, oy, LitOrUnlit(segments[s]));
}

// A dot and the white glint every dot carries, lit or not.
void DrawMatrixDot(QPainter& painter, int x, int y, int size, int glintOffset, uint8_t state)
{
    FillCircle(painter, x, y, size, size, LitOrUnlit(state));
    FillRect(painter, x + glintOffset, y + glintOffset, 1, 1, ClrWhite);
}

// n x n dots from (16, 16), pitch apart, on the black face.
void DrawMatrixDots(QPainter& painter, const TRenderKit& kit, const TSimuPart& matrix,
                    std::span<const uint8_t> dots, int n, int pitch, int size, int glintOffset)
{
    const TDrawDot dot = [size, glintOffset](QPainter& p, int x, int y, uint8_t state) {
        DrawMatrixDot(p, x, y, size, glintOffset, state);
    };
    constexpr int kFirst = 16;
    const TDotFieldLayout layout{{kFirst, kFirst}, {pitch, pitch}, n, n, ClrInk};
    if (TDotFields* fields = kit.DotFields();
        fields != nullptr && fields->Draw(painter, &matrix, layout, dots, dot))
        return;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            dot(painter, kFirst + pitch * j, kFirst + pitch * i, dots[static_cast<size_t>(n * i + j)]);
    }
}

} // namespace

void DrawSegDispTwo(QPainter& painter, const TRenderKit& kit, const TSimuSegDispTwo& display)
{
    DisplayPlate(painter, 171, 141, 149, 109);
    DrawPinMarkers(painter, display);
    DrawText(painter, kit, 10, 120, QStringLiteral("A B C D E F G   DP   1 2"));
    for (int d = 0; d < 2; ++d) {
        const uint8_t* segments = display.FSegments.data() + kSegmentsPerDigit * d;
        DrawDigit(painter, segments, kLargeSegments, 17 + 76 * d, 20);
        FillCircle(painter, 70 + 76 * d, 96, 11, 11, LitOrUnlit(segments[kDecimalPoint]));
    }
}

void DrawSegDispSix(QPainter& painter, const TRenderKit& kit, const TSimuSegDispSix& display)
{
    DisplayPlate(painter, 388, 124, 366, 92);
    DrawPinMarkers(painter, display);
    DrawText(painter, kit, 10, 103, QStringLiteral("A B C D E F G   DP   1 2 3 4 5 6"));
    for (int d = 0; d < 6; ++d) {
        const uint8_t* segments = display.FSegments.data() + kSegmentsPerDigit * d;
        DrawDigit(painter, segments, kSmallSegments, 17 + 61 * d, 20);
        FillCircle(painter, 59 + 61 * d, 81, 9, 9, LitOrUnlit(segments[kDecimalPoint]));
    }
}

void DrawBitDisp(QPainter& painter, const TRenderKit& kit, const TSimuBitDisp& display)
{
    DisplayPlate(painter, 197, 89, 175, 57);
    DrawPinMarkers(painter, display);
    DrawText(painter, kit, 50, 68, QStringLiteral("A B C D E F G H"));
    for (int k = 0; k < 8; ++k)
        FillRect(painter, 17 + 21 * k, 20, 14, 37, LitOrUnlit(display.FLit[k]));
}

void DrawDotMat1616(QPainter& painter, const TRenderKit& kit, const TSimuDotMat1616& matrix)
{
    static const TIndexedCaptions columns(QStringLiteral("C"), 16);
    static const TIndexedCaptions rows(QStringLiteral("R"), 16);
    DisplayPlate(painter, 281, 261, 219, 219);
    DrawPinMarkers(painter, matrix);
    // Neighbouring captions would overlap, so odd ones go on a second line.
    for (int e = 0; e < 16; e += 2) {
        const int o = e + 1;
        DrawText(painter, kit, 16 + 13 * e, 238, columns[e]);
        DrawText(painter, kit, 16 + 13 * o, 248, columns[o]);
        DrawText(painter, kit, 238, 16 + 13 * e, rows[e]);
        DrawText(painter, kit, 258, 16 + 13 * o, rows[o]);
    }
    DrawMatrixDots(painter, kit, matrix, matrix.FDots, 16, 13, 11, 3);
}

void DrawDotMat3232(QPainter& painter, const TRenderKit& kit, const TSimuDotMat3232& matrix)
{
    static const TIndexedCaptions columns(QStringLiteral("C"), 32);
    static const TIndexedCaptions rows(QStringLiteral("R"), 32);
    DisplayPlate(painter, 330, 330, 268, 268);
    DrawPinMarkers(painter, matrix);
    // Four caption lines below, two columns of captions to the right.
    for (int q = 0; q < 8; ++q) {
        for (int m = 0; m < 4; ++m) {
            const int n = 4 * q + m;
            DrawText(painter, kit, 14 + 8 * n, 287 + 10 * m, columns[n]);
        }
        for (int m = 0; m < 4; ++m) {
            const int n = 4 * q + m;
            DrawText(painter, kit, m % 2 == 0 ? 287 : 307, 14 + 8 * n, rows[n]);
        }
    }
    DrawMatrixDots(painter, kit, matrix, matrix.FDots, 32, 8, 7, 2);
}

} // namespace kelto::gui
