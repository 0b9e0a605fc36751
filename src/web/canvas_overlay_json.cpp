#include "web/canvas_overlay_json.h"

#include "cli/json_writer.h"
#include "core/canvas/flow_chart.h"

namespace kelto::web {

std::string CanvasOverlayJson(const TdxFlowChart& canvas, const TCanvasMouse& mouse)
{
    cli::TJsonWriter json;
    const auto point = [&json](int32_t x, int32_t y) { json.BeginArray().Int(x).Int(y).EndArray(); };
    json.BeginObject().Key("marks").BeginArray();
    for (int32_t i = 0; i < canvas.ObjectCount(); ++i) {
        const TdxFcObject& object = *canvas.Objects(i);
        if (!object.Selected() || !object.Visible())
            continue;
        const TRect r = object.Bounds();
        for (const int32_t y : {r.Top, r.Bottom - 1})
            for (const int32_t x : {r.Left, r.Right - 1})
                point(x, y);
    }
    for (int32_t i = 0; i < canvas.ConnectionCount(); ++i) {
        const TdxFcConnection& connection = *canvas.Connections(i);
        if (connection.Selected() && connection.Visible())
            for (const TPoint p : connection.RoutePoints())
                point(p.X, p.Y);
    }
    json.EndArray().Key("outlines").BeginArray();
    if (mouse.Dragging()) {
        const TPoint offset = mouse.DragOffset();
        for (const TdxFcObject* object : mouse.DragObjects()) {
            if (!object->Visible())
                continue;
            const TRect r = object->Bounds();
            json.BeginArray().Int(r.Left + offset.X).Int(r.Top + offset.Y);
            json.Int(r.Right - 1 + offset.X).Int(r.Bottom - 1 + offset.Y).EndArray();
        }
    }
    json.EndArray().EndObject();
    return json.Text();
}

} // namespace kelto::web
