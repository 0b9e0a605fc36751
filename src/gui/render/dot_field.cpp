#include "gui/render/dot_field.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kelto::gui {

namespace {

// Displays whose dot images are kept; one more drops the least recently drawn.
constexpr size_t kKeptFields = 16;

} // namespace

bool PutsImagesDownPixelForPixel(const QPainter& painter)
{
    const QTransform t = painter.deviceTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::round(t.dx()) &&
           t.dy() == std::round(t.dy()) && painter.device() != nullptr &&
           painter.device()->devicePixelRatio() == 1.0 && painter.opacity() == 1.0 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

bool TDotFields::Draw(QPainter& painter, const void* owner, const TDotFieldLayout& layout,
                      std::span<const uint8_t> states, const TDrawDot& drawDot)
{
    if (!PutsImagesDownPixelForPixel(painter))
        return false;
    TField& field = FieldOf(owner, layout);
    QPainter cells(&field.Image);
    cells.setCompositionMode(QPainter::CompositionMode_Source);
    const size_t count = std::min(states.size(), field.Shown.size());
    for (size_t i = 0; i < count; ++i) {
        if (field.Shown[i] == states[i])
            continue;
        field.Shown[i] = states[i];
        const int column = static_cast<int>(i) % layout.Columns;
        const int row = static_cast<int>(i) / layout.Columns;
        const TPoint at = layout.CellAt(column, row);
        cells.drawImage(QPoint(at.X, at.Y), CellOf(layout, states[i], drawDot));
    }
    cells.end();
    painter.drawImage(QPoint(layout.Origin.X, layout.Origin.Y), field.Image);
    return true;
}

TDotFields::TField& TDotFields::FieldOf(const void* owner, const TDotFieldLayout& layout)
{
    auto found = std::find_if(FFields.begin(), FFields.end(),
                              [&](const TField& f) { return f.Owner == owner && f.Layout == layout; });
    if (found == FFields.end()) {
        if (FFields.size() >= kKeptFields)
            FFields.pop_back();
        const TPoint last = layout.CellAt(layout.Columns - 1, layout.Rows - 1);
        TField field{
            owner, layout, std::vector<int16_t>(static_cast<size_t>(layout.Columns * layout.Rows), -1),
            QImage(last.X + layout.Pitch.X, last.Y + layout.Pitch.Y, QImage::Format_ARGB32_Premultiplied)};
        field.Image.fill(QColor::fromRgba(layout.Face));
        FFields.insert(FFields.begin(), std::move(field));
    } else if (found != FFields.begin()) {
        std::rotate(FFields.begin(), found, found + 1);
    }
    return FFields.front();
}

const QImage& TDotFields::CellOf(const TDotFieldLayout& layout, uint8_t state, const TDrawDot& drawDot)
{
    const auto found = std::find_if(FCells.begin(), FCells.end(),
                                    [&](const TCell& c) { return c.State == state && c.Layout == layout; });
    if (found != FCells.end())
        return found->Image;
    QImage image(layout.Pitch.X, layout.Pitch.Y, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromRgba(layout.Face));
    QPainter painter(&image);
    drawDot(painter, 0, 0, state);
    painter.end();
    FCells.push_back({layout, state, std::move(image)});
    return FCells.back().Image;
}

} // namespace kelto::gui
