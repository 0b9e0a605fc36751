#include "gui/render/draw_object.h"

#include "gui/render/painter_surface.h"

#include "core/look/component_drawing.h"

#include "core/circuit/parts.h"
#include "core/devices/device_actions.h"

namespace kelto::gui {

void DrawPart(QPainter& painter, const TRenderKit& kit, const TSimuPart& part, const QRect& r)
{
    // Each drawing gets its own state: aliased shapes and text, pixels from
    // the body's top-left corner, whatever the caller had set.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.translate(r.topLeft());
    // Kept between paints, so a steady canvas reuses its storage.
    static thread_local look::TDisplayList list;
    list.Operations.clear();
    look::DrawPart(list, part);
    Replay(painter, kit, list);
    painter.restore();
}

void dxFlowChart1DrawObject(QPainter& painter, const TRenderKit& kit, TSimuPart* part, const QRect& r)
{
    if (part == nullptr)
        return;
    DrawPart(painter, kit, *part, r);
    if (part->FOwnerType == otResistance)
        UpdateWiperValue(*static_cast<TSimuResistance*>(part));
}

} // namespace kelto::gui
