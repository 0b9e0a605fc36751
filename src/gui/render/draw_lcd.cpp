// Drawing of the character LCD from the controller's dot image.
#include "gui/render/draw_common.h"
#include "gui/render/draw_parts.h"

#include "core/circuit/parts.h"

namespace kelto::gui {

void DrawLCD1602(QPainter& painter, const TRenderKit& kit, const TSimuLCD1602& lcd)
{
    DisplayPlate(painter, 290, 118, 268, 86, ClrLcdFace);
    DrawPinMarkers(painter, lcd);
    DrawText(painter, kit, 10, 97, QStringLiteral("RS R/W E    D0 D1 D2 D3 D4 D5 D6 D7"));
    constexpr int perLine = kLcdPositions / 2;
    for (int n = 0; n < perLine; ++n)
        DrawLcdCell(painter, lcd.FCellDots, n, 17 + 16 * n, 20);
    for (int n = perLine; n < kLcdPositions; ++n)
        DrawLcdCell(painter, lcd.FCellDots, n, 17 + 16 * (n - perLine), 56);
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
            FillRect(painter, x + 3 * j, y + 4 * i, 2, 3, v == 1 ? ClrInk : ClrLcdDotOff);
        }
    }
}

} // namespace kelto::gui
