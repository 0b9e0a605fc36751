// Registers every part's tick handler with the engine, in dispatch order.
#pragma once

namespace kelto {

class TSimEngine;

void InstallDeviceHandlers(TSimEngine& engine);

} // namespace kelto
