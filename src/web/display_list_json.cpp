#include "web/display_list_json.h"

#include "cli/json_writer.h"

#include <type_traits>

namespace kelto::web {

namespace {

using cli::TJsonWriter;
using namespace look;

void WritePoint(TJsonWriter& json, std::string_view key, TPoint point)
{
    json.Key(key).BeginArray().Int(point.X).Int(point.Y).EndArray();
}

void WritePointF(TJsonWriter& json, TPointF point)
{
    json.BeginArray().Number(point.X).Number(point.Y).EndArray();
}

void WritePoints(TJsonWriter& json, const std::vector<TPoint>& points)
{
    json.Key("points").BeginArray();
    for (const TPoint& point : points)
        json.BeginArray().Int(point.X).Int(point.Y).EndArray();
    json.EndArray();
}

void WriteBox(TJsonWriter& json, const TBox& box)
{
    json.Key("box").BeginArray().Int(box.X).Int(box.Y).Int(box.W).Int(box.H).EndArray();
}

void WriteList(TJsonWriter& json, const TDisplayList& list);

void WriteOperation(TJsonWriter& json, const TOperation& operation)
{
    json.BeginObject();
    std::visit(
        [&json](const auto& op) {
            using T = std::decay_t<decltype(op)>;
            if constexpr (std::is_same_v<T, TLine>) {
                json.Key("op").String("line");
                WritePoint(json, "from", op.From);
                WritePoint(json, "to", op.To);
                json.Key("width").Int(op.Width).Key("cap").String(op.Cap == TCap::Square ? "square" : "flat");
            } else if constexpr (std::is_same_v<T, TPolyline>) {
                json.Key("op").String("polyline");
                WritePoints(json, op.Points);
                json.Key("width").Int(op.Width);
            } else if constexpr (std::is_same_v<T, TRectOutline> || std::is_same_v<T, TRectFill> ||
                                 std::is_same_v<T, TEllipseOutline> || std::is_same_v<T, TDiscFill>) {
                json.Key("op").String(std::is_same_v<T, TRectOutline>      ? "rectOutline"
                                      : std::is_same_v<T, TRectFill>       ? "rectFill"
                                      : std::is_same_v<T, TEllipseOutline> ? "ellipseOutline"
                                                                           : "discFill");
                WriteBox(json, op.Box);
            } else if constexpr (std::is_same_v<T, TPolygon>) {
                json.Key("op").String("polygon");
                WritePoints(json, op.Points);
                json.Key("filled").Bool(op.Filled);
            } else if constexpr (std::is_same_v<T, TCurve>) {
                json.Key("op").String("curve").Key("start");
                WritePointF(json, op.Start);
                json.Key("pieces").BeginArray();
                for (const TPointF& point : op.Pieces)
                    WritePointF(json, point);
                json.EndArray();
            } else if constexpr (std::is_same_v<T, TText>) {
                json.Key("op").String("text");
                WritePoint(json, "topLeft", op.TopLeft);
                json.Key("text").String(op.Utf8).Key("face").Int(static_cast<int>(op.Face));
                json.Key("vertical").Bool(op.Vertical);
            } else if constexpr (std::is_same_v<T, TPictureRun>) {
                json.Key("op").String("picture").Key("picture").Int(op.Picture);
                WriteBox(json, op.Box);
                json.Key("degrees").Number(op.Degrees).Key("centre");
                WritePointF(json, op.Centre);
            } else if constexpr (std::is_same_v<T, TDotField>) {
                const TDotLayout& layout = op.Layout;
                json.Key("op").String("dots");
                WritePoint(json, "origin", layout.Origin);
                WritePoint(json, "pitch", layout.Pitch);
                json.Key("columns").Int(layout.Columns).Key("rows").Int(layout.Rows);
                json.Key("face").Int(layout.Face);
                WritePoint(json, "group", layout.Group);
                WritePoint(json, "groupGap", layout.GroupGap);
                json.Key("states").BeginArray();
                for (const uint8_t state : op.States)
                    json.Int(state);
                json.EndArray().Key("cells").BeginArray();
                for (const TDisplayList& cell : op.Cells)
                    WriteList(json, cell);
                json.EndArray();
            } else {
                static_assert(std::is_same_v<T, TOrigin>, "every operation has a JSON form");
                json.Key("op").String("origin");
                WritePoint(json, "at", op.At);
            }
            if constexpr (requires { op.Colour; })
                json.Key("colour").Int(op.Colour);
        },
        operation);
    json.EndObject();
}

void WriteList(TJsonWriter& json, const TDisplayList& list)
{
    json.BeginArray();
    for (const TOperation& operation : list.Operations)
        WriteOperation(json, operation);
    json.EndArray();
}

} // namespace

std::string DisplayListJson(const TDisplayList& list)
{
    TJsonWriter json;
    WriteList(json, list);
    return json.Text();
}

std::string DrawingJson(const TDisplayList& list, const TBox& extent)
{
    return "{\"extent\":[" + std::to_string(extent.X) + "," + std::to_string(extent.Y) + "," +
           std::to_string(extent.W) + "," + std::to_string(extent.H) + "],\"list\":" + DisplayListJson(list) +
           "}";
}

std::string LookJson()
{
    TJsonWriter json;
    json.BeginObject().Key("faces").BeginArray();
    for (const TFaceSpec& face : kFaceSpecs) {
        json.BeginObject().Key("family").String(face.Family).Key("boldFamily").String(face.BoldFamily);
        json.Key("pixelSize").Int(face.PixelSize).Key("bold").Bool(face.Bold);
        json.Key("letterSpacing").Int(face.LetterSpacing).Key("ascent").Int(face.Ascent);
        json.Key("lineHeight").Int(face.LineHeight).EndObject();
    }
    json.EndArray().Key("pictures").BeginArray();
    for (const std::string_view name : kPictureNames)
        json.String(name);
    json.EndArray().EndObject();
    return json.Text();
}

} // namespace kelto::web
