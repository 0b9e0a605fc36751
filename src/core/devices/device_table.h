// What each part type does: its tick handler, its power-on state and what the
// user's mouse does to it, one row per type (see device_table.cpp).
#pragma once

#include "core/canvas/geometry.h"
#include "core/circuit/port_info.h"

#include <memory>

namespace kelto {

class TdxFlowChart;
class TSimEngine;
class TSimuPart;

// Registers every part's tick handler with the engine.
void InstallDeviceHandlers(TSimEngine& engine);
// A part of this type as it is when switched on, body at (0, 0).
std::unique_ptr<TSimuPart> CreateDevice(TOwnerType type, TdxFlowChart& canvas);

// The plain left button pressed and released on the part's body at a chart
// point, and a click on the body; parts that do not react ignore them.
void PressPart(TSimuPart& part, TPoint chartPoint);
void ReleasePart(TSimuPart& part, TPoint chartPoint);
void ClickPart(TSimuPart& part);

} // namespace kelto
