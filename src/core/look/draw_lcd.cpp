// Drawing of the character LCD from the controller's dot image.
#include "core/look/draw_parts.h"
#include "core/look/shapes.h"

#include "core/circuit/parts.h"

#include <utility>
#include <vector>

namespace kelto::look {

namespace {

constexpr int kPerLine = kLcdPositions / 2;
// The state of a position left bare.
constexpr uint8_t kNoDot = 2;

TDisplayList LcdDot(uint8_t state)
{
    TDisplayList dot;
    FillRect(dot, 0, 0, 2, 3, state == 1 ? ClrInk : ClrLcdDotOff);
    return dot;
}

// Both lines as one field of dots, 5 x 8 to a character, with the gaps
// between characters and lines; any value but 0 and 1 marks a position the
// display does not use and leaves the rest of its character bare.
TDotField LcdDots(const TSimuLCD1602& lcd)
{
    constexpr int kColumns = kPerLine * kLcdGlyphColumns;
    std::vector<uint8_t> states(static_cast<size_t>(kLcdPositions * kLcdGlyphDots));
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
    return {&lcd,
            {{17, 20},
             {3, 4},
             kColumns,
             2 * kLcdGlyphRows,
             ClrLcdFace,
             {kLcdGlyphColumns, kLcdGlyphRows},
             {1, 4}},
            std::move(states),
            {LcdDot(0), LcdDot(1)}};
}

} // namespace

void DrawLCD1602(TDisplayList& list, const TSimuLCD1602& lcd)
{
    DisplayPlate(list, 290, 118, 268, 86, ClrLcdFace);
    DrawPinMarkers(list, lcd);
    DrawText(list, 10, 97, "RS R/W E    D0 D1 D2 D3 D4 D5 D6 D7");
    list.Operations.emplace_back(LcdDots(lcd));
}

} // namespace kelto::look
