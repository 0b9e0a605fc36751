// What changed on the canvas since the page last painted it: the rectangles
// the parts and wires asked to be repainted, as the desktop's canvas view
// hears them, or everything.
#pragma once

#include "core/canvas/flow_chart.h"
#include "core/look/display_list.h"

#include <cstdint>
#include <vector>

namespace kelto::web {

class TCanvasChanges final : private ICanvasListener {
public:
    explicit TCanvasChanges(TdxFlowChart& canvas);
    ~TCanvasChanges() override;
    TCanvasChanges(const TCanvasChanges&) = delete;
    TCanvasChanges& operator=(const TCanvasChanges&) = delete;

    // False when anything may have changed; else the areas that did, in
    // chart units, each grown by how far drawings reach outside their
    // bodies (none when nothing did). Then starts over.
    bool Take(std::vector<look::TBox>& areas);

private:
    void CanvasInvalidated(const TRect& chartRect) override;
    void CanvasChanged() override { FEverything = true; }

    TdxFlowChart& FCanvas;
    std::vector<TRect> FRects;
    bool FEverything = true;
    uint64_t FWiringVersion = 0;
};

} // namespace kelto::web
