// A part's own state taken away from the part and put back later: the state
// struct of its class, and for the variable resistor where its wiper stands.
// States are shared, never changed once taken, so a part whose state did not
// change since an earlier snapshot costs nothing more.
#pragma once

#include "core/circuit/parts.h"

#include <memory>

namespace kelto {

// Empty for a class without state of its own.
using TPartState = std::shared_ptr<const void>;

// `earlier` is this part's state from an earlier snapshot, or empty; it is
// shared when nothing changed since.
TPartState SavePartState(const TSimuPart& part, const TPartState& earlier);
// The part must be of the class the state was taken from.
void RestorePartState(TSimuPart& part, const TPartState& state);
// What a state of the type holds.
size_t PartStateBytes(TOwnerType type);

} // namespace kelto
