// The dots of the matrices and the LCD drawn from prepared pictures of one
// dot in each state. Each display keeps an image of its dots between paints;
// only the dots whose state changed are drawn into it again, and the image
// goes onto the canvas in one piece. A cell is its dot on the display's face
// colour; prepared dots are kept per layout and state.
#pragma once

#include "core/look/display_list.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class QPainter;

namespace kelto::gui {

using TDotFieldLayout = look::TDotLayout;

// Draws one dot in a state with its cell's top-left corner at (x, y).
using TDrawDot = std::function<void(QPainter& painter, int x, int y, uint8_t state)>;

// False for a scale, a rotation, a fractional offset, a high-density device:
// an image would not land pixel for pixel.
bool PutsImagesDownPixelForPixel(const QPainter& painter);

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
