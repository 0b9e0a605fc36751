// The probes' tick handlers: while a window records, each tick appends one
// reading per channel of the probe held in its part slot.
#pragma once

#include <functional>

namespace kelto {

class TScopeRecorder;
class TSimEngine;
class TSimuAudioas;
class TSimuOScopes;
class TSimuPart;

void UpdateOScopes(TSimEngine& engine, TScopeRecorder& recorder, const TSimuOScopes& probe);
void UpdateAudioas(TSimEngine& engine, TScopeRecorder& recorder, const TSimuAudioas& probe);

// inSlot tells whether a probe is the one its palette slot holds: a file may
// hold two probes of a kind, and only one of them may feed the window, or a
// tick would record two samples.
void InstallScopeHandlers(TSimEngine& engine, TScopeRecorder& oscopes, TScopeRecorder& audioas,
                          std::function<bool(const TSimuPart&)> inSlot);

} // namespace kelto
