// A circuit as the simulation file holds it: parts by file type code, model
// and position, in placement order; wires by the part and pin index of their
// ends, with their style and bend points. Nothing here is built.
#pragma once

#include "core/canvas/flow_chart.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kelto {

struct TPinLocation {
    int32_t Part = -1;
    int32_t Pin = -1;
    bool operator==(const TPinLocation&) const = default;
};

struct TPartRecord {
    int32_t FileType = -1;
    // Present only where the record carries one.
    std::optional<int32_t> Model;
    int32_t X = 0;
    int32_t Y = 0;
};

struct TWireRecord {
    TLineStyle Style = TLineStyle::lsStraight;
    TPinLocation Source;
    TPinLocation Target;
    std::vector<TPoint> Points;
};

struct TCircuitDescription {
    std::vector<TPartRecord> Parts;
    std::vector<TWireRecord> Wires;
};

} // namespace kelto
