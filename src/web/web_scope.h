// One oscilloscope window as the page shows it: its buttons, its plot over
// the page on screen (which trails a recording that turns pages faster than
// they can be read), its scroll bar, and its recording as a file.
#pragma once

#include "core/instruments/scope_export.h"
#include "core/instruments/scope_page_hold.h"
#include "core/instruments/scope_recorder.h"

#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace kelto::web {

class TWebScope {
public:
    TWebScope(TScopeRecorder& recorder, std::string_view dataName) : FRecorder(recorder), FDataName(dataName)
    {
    }

    // Bits 0 to 2: Run, Stop and Clear are enabled.
    int Buttons() const;
    // 0 Run, 1 Stop, 2 Clear; a disabled button does nothing.
    void Click(int button);
    // {"extent", "list", "scroll": [minimum, maximum, page, value]}: the plot
    // of width x height as it shows at nowMilliseconds (any steady clock),
    // its text measured by textWidth(face, utf8) -> pixels.
    std::string Drawing(int width, int height, double nowMilliseconds, emscripten::val textWidth);
    // The plot as last drawn, as an SVG file.
    std::string PictureSvg(int width, int height, emscripten::val textWidth) const;
    void PanTo(double minimum) { FRecorder.PanAxisTo(static_cast<int64_t>(minimum)); }
    // 导出数据: CSV with the headers' texts (the sample column's, then the
    // word before each probe letter), or VCD.
    std::string DataFile(bool vcd, const std::string& sampleHeader, const std::string& channelHeader) const;

private:
    TScopeRecorder& FRecorder;
    std::string_view FDataName;
    TScopePageHold FPageHold;
    int64_t FShownMinimum = 0;
};

} // namespace kelto::web
