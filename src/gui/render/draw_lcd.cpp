// Drawing of the character LCD from the controller's dot image.
#include "gui/render/dot_field.h"
#include "gui/render/draw_common.h"
#include "gui/render/draw_parts.h"

#include "core/circuit/parts.h"

#include <array>

namespace kelto::gui {

namespace {

constexpr int kPerLine = kLcdPositions / 2;
// What a prepared dot shows beyond off (0) and on (1): the bare face.
constexpr uint8_t kNoDot = 2;

void DrawLcdDot(QPainter& painter, int x, int y, uint8_t state)
{
    if (state <= 1)
        FillRect(painter, x, y, 2, 3, state == 1 ? ClrInk : ClrLcdDotOff);
}

// Both lines as one field of dots, 5 x 8 to a character, with the gaps
// between characters and lines; a value above 1 leaves the rest of its
// character bare, as DrawLcdCell stops there.
bool DrawLcdDotsPrepared(QPainter& painter, const TRenderKit& kit, const TSimuLCD1602& lcd)
{
    TDotFields* fields = kit.DotFields();
    if (fields == nullptr)
        return false;
    constexpr int kColumns = kPerLine * kLcdGlyphColumns;
    std::array<uint8_t, static_cast<size_t>(kLcdPositions * kLcdGlyphDots)> states{};
    for (int n = 0; n < kLcdPositions; ++n) {
        bool ended = false;
        for (int d = 0; d < kLcdGlyphDots; ++d) {
            const size_t index = static_cast<size_t>(kLcdGlyphDots * n + d);
            const uint8_t v = index < lcd.FCellDots.size() ? lcd.FCellDots[index] : kNoDot;
            ended = ended || v > 1;
            const int row = n / kPerLine * kLcdGlyphRows + d / kLcdGlyphColumns;
            const int column = n % kPerLine * kLcdGlyphColumns + d % kLcdGlyphColumns;
            states[static_cast<size_t>(row * kColumns + column)] = ended ? kNoDot : v;
        }
    }
    const TDotFieldLayout layout{
        {17, 20}, {3, 4}, kColumns, 2 * kLcdGlyphRows, ClrLcdFace, {kLcdGlyphColumns, kLcdGlyphRows}, {1, 4}};
    return fields->Draw(painter, &lcd, layout, states, DrawLcdDot);
}

} // namespace

void DrawLCD1602(QPainter& painter, const TRenderKit& kit, const TSimuLCD1602& lcd)
{
    DisplayPlate(painter, 290, 118, 268, 86, ClrLcdFace);
    DrawPinMarkers(painter, lcd);
    DrawText(painter, kit, 10, 97, QStringLiteral("RS R/W E    D0 D1 D2 D3 D4 D5 D6 D7"));
    if (DrawLcdDotsPrepared(painter, kit, lcd))
        return;
    for (int n = 0; n < kLcdPositions; ++n)
        DrawLcdCell(painter, lcd.FCellDots, n, 17 + 16 * (n % kPerLine), 20 + 36 * (n / kPerLine));
}

void DrawLcdCell(QPainter& painter, std::span<const uint8_t> cellDots, int n, int x, int y)
{
    for (int i = 0; i < kLcdGlyphRows; ++i) {
        for (int j = 0; j < kLcdGlyphColumns; ++j) {
            const size_t index = static_cast<size_t>(kLcdGlyphDots * n + kLcdGlyphColumns * i + j);
            // Any value but 0 and 1 marks a position the display does not use.
            const uint8_t v = n >= 0 && index < cellDots.size() ? cellDots[index] : 2;
            if (v > 1)
                return;
            DrawLcdDot(painter, x + 3 * j, y + 4 * i, v);
        }
    }
}

} // namespace kelto::gui
