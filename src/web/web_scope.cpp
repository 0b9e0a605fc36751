#include "web/web_scope.h"

#include "core/files/scope_data_file.h"
#include "core/look/plot_drawing.h"
#include "core/look/svg_writer.h"
#include "web/display_list_json.h"

#include <vector>

namespace kelto::web {

namespace {

look::TTextWidth PlotTextWidth(const emscripten::val& textWidth)
{
    return [textWidth](std::string_view utf8) {
        return textWidth(static_cast<int>(look::TFace::Plot), std::string(utf8)).as<int>();
    };
}

look::TPlotLayout Layout(const TScopeRecorder& recorder, int64_t shownMinimum, const look::TBox& widget,
                         const look::TTextWidth& textWidth)
{
    return look::TPlotLayout(widget, recorder.ChannelCount(), shownMinimum,
                             shownMinimum + (recorder.AxisMaximum() - recorder.AxisMinimum()), textWidth);
}

look::TDisplayList PlotList(const TScopeRecorder& recorder, int64_t shownMinimum, const look::TBox& widget,
                            const look::TTextWidth& textWidth)
{
    look::TDisplayList list;
    look::DrawPlot(list, recorder.Samples(), Layout(recorder, shownMinimum, widget, textWidth), textWidth,
                   widget);
    return list;
}

} // namespace

int TWebScope::Buttons() const
{
    return (FRecorder.RunEnabled() ? 1 : 0) | (FRecorder.StopEnabled() ? 2 : 0) |
           (FRecorder.ClearEnabled() ? 4 : 0);
}

void TWebScope::Click(int button)
{
    if (button == 0)
        FRecorder.ButtonRunClick();
    else if (button == 1)
        FRecorder.ButtonStopClick();
    else if (button == 2)
        FRecorder.ButtonClearClick();
}

std::string TWebScope::Drawing(int width, int height, double nowMilliseconds, emscripten::val textWidth)
{
    FShownMinimum = FPageHold.ShownMinimum(FRecorder, static_cast<int64_t>(nowMilliseconds));
    const look::TBox widget{0, 0, width, height};
    TScopeScrollRange range = FRecorder.ScrollRange();
    range.Value = FShownMinimum;
    std::string json =
        DrawingJson(PlotList(FRecorder, FShownMinimum, widget, PlotTextWidth(textWidth)), widget);
    json.pop_back();
    return json + ",\"scroll\":[" + std::to_string(range.Minimum) + "," + std::to_string(range.Maximum) +
           "," + std::to_string(range.Page) + "," + std::to_string(range.Value) + "]}";
}

std::string TWebScope::PictureSvg(int width, int height, emscripten::val textWidth) const
{
    const look::TBox widget{0, 0, width, height};
    return look::SvgDocument(PlotList(FRecorder, FShownMinimum, widget, PlotTextWidth(textWidth)), widget);
}

std::string TWebScope::DataFile(bool vcd, const std::string& sampleHeader,
                                const std::string& channelHeader) const
{
    if (vcd) {
        const TScopeTrace trace{FDataName, FRecorder.Samples()};
        return ScopeVcd({&trace, 1}, kWindowSecondsPerSample);
    }
    std::vector<std::string> headers{sampleHeader};
    for (int c = 0; c < FRecorder.ChannelCount(); ++c)
        headers.push_back(channelHeader + static_cast<char>('A' + c));
    return ScopeCsv(FRecorder.Samples(), headers);
}

} // namespace kelto::web
