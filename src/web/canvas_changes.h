// What changed on the canvas since the page last painted it: the rectangles
// the parts and wires asked to be repainted, as the desktop's canvas view
// hears them, or everything.
#pragma once

#include "core/canvas/flow_chart.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelto::web {

class TCanvasChanges final : private ICanvasListener {
public:
    explicit TCanvasChanges(TdxFlowChart& canvas);
    ~TCanvasChanges() override;
    TCanvasChanges(const TCanvasChanges&) = delete;
    TCanvasChanges& operator=(const TCanvasChanges&) = delete;

    // "[[x, y, w, h], ...]" in chart units, each grown by how far drawings
    // reach outside their bodies, or "null" when anything may have changed;
    // then starts over.
    std::string TakeJson();

private:
    void CanvasInvalidated(const TRect& chartRect) override;
    void CanvasChanged() override { FEverything = true; }

    TdxFlowChart& FCanvas;
    std::vector<TRect> FRects;
    bool FEverything = true;
    uint64_t FWiringVersion = 0;
};

} // namespace kelto::web
