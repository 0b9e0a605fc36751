// What each part type does: its tick handler and its power-on state, one row
// per type (see device_table.cpp).
#pragma once

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

} // namespace kelto
