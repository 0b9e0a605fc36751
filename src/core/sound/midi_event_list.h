// Timed MIDI events as the tone generator lists them before encoding: one
// note, or the items of a note string.
#pragma once

#include "core/sound/midi_gen_types.h"

#include <cstdint>
#include <vector>

namespace kelto {

enum class TMidiEventKind : uint8_t { ProgramChange, NoteOn, NoteOff };

struct TMidiEvent {
    int64_t Time = 0; // stream ticks from the start
    TMidiEventKind Kind = TMidiEventKind::NoteOn;
    int32_t Value = 0; // program, key, or drum instrument
    int32_t Channel = 0;
    bool operator==(const TMidiEvent&) const = default;
};

using TMidiEventList = std::vector<TMidiEvent>;

// By time; at equal times program changes first, other events in list order.
void SortMidiEvents(TMidiEventList& events);

// The channel notes sound on: the percussion channel for a percussion
// instrument or when it is the chosen channel.
int32_t SoundingChannel(int32_t channel, int32_t instrument);

// One note of `voice.Duration` ticks at time 0, with its program change.
TMidiEventList NoteEvents(int32_t key, const TMidiVoice& voice);

} // namespace kelto
