// The dots of the matrices and the LCD drawn from prepared pictures of one
// dot in each state. Each display keeps an image of its dots between paints;
// only the dots whose state changed are drawn into it again, and the image
// goes onto the canvas in one piece.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class QPainter;

namespace kelto::gui {

// Cells of Columns x Rows, each Pitch pixels apart, the first at Origin (body
// coordinates); after every Group cells across (down) comes an extra gap of
// GroupGap pixels, as between the characters of the LCD. A cell is its dot
// on the display's face colour. One layout per kind of display: prepared
// dots are kept per layout and state.
struct TDotFieldLayout {
    QPoint Origin;
    QSize Pitch;
    int Columns = 0;
    int Rows = 0;
    QRgb Face = 0;
    QSize Group{1, 1};
    QSize GroupGap{0, 0};
    bool operator==(const TDotFieldLayout&) const = default;
    // Where cell (column, row) starts, from Origin.
    QPoint CellAt(int column, int row) const
    {
        return {column * Pitch.width() + column / Group.width() * GroupGap.width(),
                row * Pitch.height() + row / Group.height() * GroupGap.height()};
    }
};

// Draws one dot in a state with its cell's top-left corner at (x, y).
using TDrawDot = std::function<void(QPainter& painter, int x, int y, uint8_t state)>;

class TDotFields {
public:
    // The dots of `owner` in `states` (row by row). False, drawing nothing,
    // when the painter would not put an image down pixel for pixel (a scale,
    // a rotation, a fractional offset, a high-density device); the caller
    // then draws the dots itself.
    bool Draw(QPainter& painter, const void* owner, const TDotFieldLayout& layout,
              std::span<const uint8_t> states, const TDrawDot& drawDot);

private:
    struct TField {
        const void* Owner;
        TDotFieldLayout Layout;
        std::vector<int16_t> Shown; // -1: not drawn yet
        QImage Image;
    };
    struct TCell {
        TDotFieldLayout Layout;
        uint8_t State;
        QImage Image;
    };

    TField& FieldOf(const void* owner, const TDotFieldLayout& layout);
    const QImage& CellOf(const TDotFieldLayout& layout, uint8_t state, const TDrawDot& drawDot);

    // Most recently drawn first; a few displays are kept.
    std::vector<TField> FFields;
    std::vector<TCell> FCells;
};

} // namespace kelto::gui
