// The tone generator's value types: notes, instruments, channels, and the
// settings that shape an event list and its stream records.
#pragma once

#include <cstdint>

namespace kelto {

enum TMGNote : int32_t {
    mgC,
    mgCsharp,
    mgD,
    mgDsharp,
    mgE,
    mgF,
    mgFsharp,
    mgG,
    mgGsharp,
    mgA,
    mgAsharp,
    mgB,
};

// 0..127 are the General MIDI programs in their standard order; 128..174 the
// percussion keys 35..81, each value being its key plus 93.
enum TMGInstrument : int32_t {
    mgAcousticGrandPiano = 0,
    mgGunshot = 127,
    mgAcousticBassDrum = 128,
    mgOpenTriangle = 174,
};

enum TMGChannel : int32_t {
    mgCh01,
    mgCh02,
    mgCh03,
    mgCh04,
    mgCh05,
    mgCh06,
    mgCh07,
    mgCh08,
    mgCh09,
    mgCh10,
    mgCh11,
    mgCh12,
    mgCh13,
    mgCh14,
    mgCh15,
    mgCh16,
};

constexpr int32_t kPercussionChannel = mgCh10;
constexpr int32_t kDrumInstrumentOffset = 93;
constexpr int32_t kStreamTicksPerQuarterNote = 50;

// What the event list builders read from the generator's properties.
struct TMidiVoice {
    int32_t Channel = mgCh01;
    int32_t Instrument = mgAcousticGrandPiano;
    int32_t Octave = 4;
    int32_t Duration = 50;
};

// What the set-up block and the pitch-bend glide read from the properties.
struct TMidiControls {
    int32_t Channel = mgCh01;
    int32_t Instrument = mgAcousticGrandPiano;
    int32_t Volume = 100;
    int32_t Pan = 0;
    int32_t Reverb = 0;
    int32_t Chorus = 0;
    int32_t Modulation = 0;
    bool Sustain = false;
    int32_t PitchBend = 0;
    int32_t PBDelay = 0;
    int32_t PBDuration = 100;
};

} // namespace kelto
