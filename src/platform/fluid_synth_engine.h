// One FluidSynth synthesiser with the General MIDI soundfont loaded: turns
// stream records into synthesiser calls and renders samples on request.
#pragma once

#include "core/sound/midi_stream_records.h"

#include <fluidsynth.h>

#include <span>
#include <string>

namespace kelto {

constexpr const char* kGeneralMidiSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
// FluidSynth's own gain leaves a full-velocity piano note near -30 dBFS.
constexpr double kAudibleGain = 1.0;
constexpr double kSynthSampleRate = 44100.0;

class TFluidSynthEngine {
public:
    explicit TFluidSynthEngine(const std::string& soundFont = kGeneralMidiSoundFont,
                               double gain = kAudibleGain);
    ~TFluidSynthEngine();
    TFluidSynthEngine(const TFluidSynthEngine&) = delete;
    TFluidSynthEngine& operator=(const TFluidSynthEngine&) = delete;

    // Whether the synthesiser exists and has its instruments.
    bool IsReady() const { return FSoundFontLoaded; }
    // Plays the short message of one record; others are ignored.
    void Send(const TStreamRecord& record);
    // All notes off on every channel; with `releasePedal` the sustain pedal up first.
    void Silence(bool releasePedal);
    // Fills interleaved stereo frames.
    void Render(std::span<float> interleavedStereo);

    fluid_settings_t* Settings() const { return FSettings; }
    fluid_synth_t* Synth() const { return FSynth; }

private:
    fluid_settings_t* FSettings = nullptr;
    fluid_synth_t* FSynth = nullptr;
    bool FSoundFontLoaded = false;
};

} // namespace kelto
