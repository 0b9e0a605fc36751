#include "web/canvas_changes.h"

#include "core/look/board_drawing.h"

#include <algorithm>

namespace kelto::web {

namespace {

// A display lit on every tick asks a thousand times a second for the same
// rectangle; past this many different ones a frame, all is repainted.
constexpr size_t kKeptRects = 256;

bool Contains(const TRect& outer, const TRect& inner)
{
    return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
           outer.Bottom >= inner.Bottom;
}

} // namespace

TCanvasChanges::TCanvasChanges(TdxFlowChart& canvas) : FCanvas(canvas), FWiringVersion(canvas.WiringVersion())
{
    FCanvas.SetListener(this);
}

TCanvasChanges::~TCanvasChanges()
{
    FCanvas.SetListener(nullptr);
}

void TCanvasChanges::CanvasInvalidated(const TRect& chartRect)
{
    if (FEverything)
        return;
    const int reach = look::kDrawReach;
    const TRect grown{SaturatingAdd(chartRect.Left, -reach), SaturatingAdd(chartRect.Top, -reach),
                      SaturatingAdd(chartRect.Right, reach), SaturatingAdd(chartRect.Bottom, reach)};
    if (std::any_of(FRects.begin(), FRects.end(), [&](const TRect& r) { return Contains(r, grown); }))
        return;
    if (FRects.size() >= kKeptRects)
        FEverything = true;
    else
        FRects.push_back(grown);
}

bool TCanvasChanges::Take(std::vector<look::TBox>& areas)
{
    // Parts and wires added, taken away or reordered move what lies behind.
    const bool known = !FEverything && FCanvas.WiringVersion() == FWiringVersion;
    areas.clear();
    if (known)
        for (const TRect& r : FRects)
            areas.push_back({r.Left, r.Top, SaturatingAdd(r.Right, -int64_t{r.Left}),
                             SaturatingAdd(r.Bottom, -int64_t{r.Top})});
    FRects.clear();
    FEverything = false;
    FWiringVersion = FCanvas.WiringVersion();
    return known;
}

} // namespace kelto::web
