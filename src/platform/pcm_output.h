// Plays one wave clip on the default ALSA output from the calling thread.
#pragma once

#include "platform/wave_file.h"

#include <functional>

namespace kelto {

// Returns once the clip has been heard, `cancelled` has turned true (checked
// every few milliseconds), or the output stopped taking samples for longer
// than the clip could need. False when no output could be opened: then it
// returns at once.
bool PlayPcm(const TWaveClip& clip, const std::function<bool()>& cancelled);

// ALSA reports a missing sound card on stderr at every open; the callers
// treat that as silence, so the library is told to keep quiet.
void QuietAlsaErrors();

} // namespace kelto
