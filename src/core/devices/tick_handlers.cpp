#include "core/devices/tick_handlers.h"

#include "core/sim/sim_engine.h"

namespace kelto {

// Parts whose behaviour is not built yet have no handler: the tick skips
// them, as it skips the parts that never react (supply, ground, switches).
void InstallDeviceHandlers(TSimEngine& engine)
{
    static_cast<void>(engine);
}

} // namespace kelto
