// What the tone generator played in a run, as a Standard MIDI File that any
// music program opens.
#pragma once

#include "core/sound/sound_script.h"

#include <span>
#include <string>

namespace kelto {

// Format 0, one track at 500 ticks a quarter note and 120 beats a minute, so a
// tick is a millisecond of the run: every message of the stream records at the
// time it played (program changes, controllers, notes with their velocities,
// pitch bends), and where the device silenced the synthesiser, all notes off,
// with the sustain pedal released too after a reset, on the channels used so far.
std::string StandardMidiFile(std::span<const TTimedSynthInput> synth);

} // namespace kelto
