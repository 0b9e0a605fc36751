#include "platform/fluid_synth_engine.h"

#include <algorithm>

namespace kelto {

namespace {

constexpr int kAllChannels = -1;
constexpr int kSustainPedal = 64;
constexpr int kChannelCount = 16;

} // namespace

TFluidSynthEngine::TFluidSynthEngine(const std::string& soundFont, double gain)
{
    // The drum channel's program 127 is not in the soundfont and falls back
    // to the standard kit, as intended; the warning about it is noise.
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    FSettings = new_fluid_settings();
    if (FSettings == nullptr)
        return;
    fluid_settings_setnum(FSettings, "synth.gain", gain);
    fluid_settings_setnum(FSettings, "synth.sample-rate", kSynthSampleRate);
    FSynth = new_fluid_synth(FSettings);
    if (FSynth == nullptr)
        return;
    FSoundFontLoaded = fluid_synth_sfload(FSynth, soundFont.c_str(), 1) != FLUID_FAILED;
}

TFluidSynthEngine::~TFluidSynthEngine()
{
    if (FSynth != nullptr)
        delete_fluid_synth(FSynth);
    if (FSettings != nullptr)
        delete_fluid_settings(FSettings);
}

void TFluidSynthEngine::Send(const TStreamRecord& record)
{
    if (FSynth == nullptr)
        return;
    const int channel = record.Status() & 0x0F;
    const int data1 = record.Data1();
    const int data2 = record.Data2();
    switch (record.Status() & 0xF0) {
    case 0x80: fluid_synth_noteoff(FSynth, channel, data1); break;
    case 0x90:
        if (data2 == 0)
            fluid_synth_noteoff(FSynth, channel, data1);
        else
            fluid_synth_noteon(FSynth, channel, data1, data2);
        break;
    case 0xB0: fluid_synth_cc(FSynth, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(FSynth, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(FSynth, channel, data1 | data2 << 7); break;
    default: break;
    }
}

void TFluidSynthEngine::Silence(bool releasePedal)
{
    if (FSynth == nullptr)
        return;
    if (releasePedal)
        for (int channel = 0; channel < kChannelCount; ++channel)
            fluid_synth_cc(FSynth, channel, kSustainPedal, 0);
    fluid_synth_all_notes_off(FSynth, kAllChannels);
}

void TFluidSynthEngine::Render(std::span<float> interleavedStereo)
{
    const int frames = static_cast<int>(interleavedStereo.size() / 2);
    if (FSynth == nullptr) {
        std::fill(interleavedStereo.begin(), interleavedStereo.end(), 0.0f);
        return;
    }
    fluid_synth_write_float(FSynth, frames, interleavedStereo.data(), 0, 2, interleavedStereo.data(), 1, 2);
}

} // namespace kelto
