// The drivers found on one net, by kind, in the net's pin order.
#pragma once

#include "core/circuit/port_info.h"

#include <cstdint>
#include <vector>

namespace kelto {

struct TNetDrivers {
    std::vector<double> Analog;
    std::vector<int32_t> Digital;
    std::vector<double> Motor;
    std::vector<double> Servo;

    // What the level and analogue reads make of the lists, worked out once
    // by Finish so repeated reads of a kept net cost a lookup.
    bool Driven = false;      // any analogue or digital driver
    bool AllHigh = true;      // every analogue value >= 0.5 and every digital level >= 1
    double AnalogLevel = 1.0; // the lowest analogue value capped at 1.0, 0.0 once a digital level is low

    void Clear();
    void Add(const TSimuPortInfo& record);
    void Finish();
};

} // namespace kelto
