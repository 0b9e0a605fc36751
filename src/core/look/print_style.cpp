#include "core/look/print_style.h"

#include "core/look/colours.h"

#include <type_traits>

namespace kelto::look {

namespace {

constexpr TArgb kPrintInk = 0xFF000000;
constexpr TArgb kPrintPaper = 0xFFFFFFFF;
constexpr TArgb kPrintLit = 0xFFB0B0B0;
// Fills up to this many pixels keep their ink (the LCD's dots, glints):
// small enough to read as marks, not blobs.
constexpr int kSmallFill = 12;

bool Reddish(TArgb colour)
{
    const int r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
    return r >= 0xC0 && g < 0x60 && b < 0x60;
}

TArgb PrintFill(TArgb colour, int area)
{
    if (Reddish(colour))
        return kPrintLit;
    if (area <= kSmallFill && (colour & 0xFFFFFF) == 0)
        return kPrintInk;
    return kPrintPaper;
}

void Outline(TDisplayList& list, const TBox& box, bool round)
{
    if (round)
        list.Operations.emplace_back(TEllipseOutline{box, kPrintInk});
    else
        list.Operations.emplace_back(TRectOutline{{box.X, box.Y, box.W - 1, box.H - 1}, kPrintInk});
}

} // namespace

TDisplayList ForPrint(const TDisplayList& list)
{
    TDisplayList print;
    for (const TOperation& operation : list.Operations) {
        std::visit(
            [&](const auto& op) {
                using T = std::decay_t<decltype(op)>;
                T copy = op;
                if constexpr (std::is_same_v<T, TRectFill> || std::is_same_v<T, TDiscFill>) {
                    const int area = op.Box.W * op.Box.H;
                    copy.Colour = PrintFill(op.Colour, area);
                    print.Operations.emplace_back(copy);
                    if (area > kSmallFill && copy.Colour != kPrintInk && op.Colour != ClrWhite)
                        Outline(print, op.Box, std::is_same_v<T, TDiscFill>);
                    return;
                } else if constexpr (std::is_same_v<T, TPolygon>) {
                    if (op.Filled) {
                        copy.Colour = PrintFill(op.Colour, kSmallFill + 1);
                        print.Operations.emplace_back(copy);
                        copy.Filled = false;
                    }
                    copy.Colour = kPrintInk;
                } else if constexpr (std::is_same_v<T, TDotField>) {
                    copy.Layout.Face = kPrintPaper;
                    for (TDisplayList& cell : copy.Cells)
                        cell = ForPrint(cell);
                } else if constexpr (!std::is_same_v<T, TPictureRun> && !std::is_same_v<T, TOrigin>) {
                    copy.Colour = kPrintInk;
                }
                print.Operations.emplace_back(std::move(copy));
            },
            operation);
    }
    return print;
}

} // namespace kelto::look
