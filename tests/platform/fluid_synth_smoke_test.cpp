// Renders tunes offline through the synthesiser the stream device plays on,
// timed as the device times them, and listens to the result.
#include "core/sound/midi_gen.h"
#include "core/sound/virtual_stream_device.h"
#include "platform/fluid_synth_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kelto {
namespace {

constexpr double kSecondsPerTick = 0.010;

std::vector<float> RenderOffline(TFluidSynthEngine& engine, std::span<const uint8_t> records,
                                 double tailSeconds)
{
    std::vector<float> samples;
    const auto renderUntil = [&](double seconds) {
        const size_t frames = static_cast<size_t>(std::llround(seconds * kSynthSampleRate));
        const size_t done = samples.size() / 2;
        if (frames <= done)
            return;
        samples.resize(frames * 2);
        engine.Render(std::span(samples).subspan(done * 2));
    };
    double ticks = 0;
    for (size_t i = 0; i < StreamRecordCount(records); ++i) {
        const TStreamRecord record = StreamRecordAt(records, i);
        ticks += record.Delta;
        renderUntil(ticks * kSecondsPerTick);
        engine.Send(record);
    }
    renderUntil(ticks * kSecondsPerTick + tailSeconds);
    return samples;
}

// The loudest sample between two times.
double Peak(const std::vector<float>& samples, double from, double to)
{
    const auto at = [&](double seconds) {
        return std::min(samples.size(), static_cast<size_t>(seconds * kSynthSampleRate) * 2);
    };
    double peak = 0;
    for (size_t i = at(from); i < at(to); ++i)
        peak = std::max(peak, static_cast<double>(std::fabs(samples[i])));
    return peak;
}

// The records TMidiGen would hand the device for a tune.
std::vector<uint8_t> TuneRecords(const std::function<void(TMidiGen&)>& play)
{
    TVirtualStreamDevice device;
    TMidiGen gen(device);
    play(gen);
    return device.FLastQueued;
}

TEST(FluidSynthSmoke, ATuneSoundsClearlyWhileItPlaysAndFadesAfter)
{
    TFluidSynthEngine engine;
    ASSERT_TRUE(engine.IsReady()) << "soundfont " << kGeneralMidiSoundFont;
    const std::vector<uint8_t> records = TuneRecords([](TMidiGen& gen) { gen.PlayString("C4;48,48;E4;48"); });
    const std::vector<float> samples = RenderOffline(engine, records, 2.0);
    ASSERT_EQ(samples.size(), static_cast<size_t>(2.96 * kSynthSampleRate) * 2);
    // Louder than -20 dBFS, without clipping.
    EXPECT_GT(Peak(samples, 0.0, 0.48), 0.1);
    EXPECT_GT(Peak(samples, 0.48, 0.96), 0.1);
    EXPECT_LE(Peak(samples, 0.0, 0.96), 1.0);
    // Released notes die away.
    EXPECT_LT(Peak(samples, 2.5, 2.96), Peak(samples, 0.0, 0.96) / 20);
}

TEST(FluidSynthSmoke, ADrumOnAMelodicChannelSounds)
{
    TFluidSynthEngine engine;
    ASSERT_TRUE(engine.IsReady());
    const std::vector<uint8_t> records = TuneRecords([](TMidiGen& gen) {
        gen.SetInstrument(131); // acoustic snare: key 38
        gen.SetDuration(20);
        gen.PlayNote(60);
    });
    EXPECT_GT(Peak(RenderOffline(engine, records, 0.5), 0.0, 0.2), 0.1);
}

TEST(FluidSynthSmoke, ARestIsSilent)
{
    TFluidSynthEngine engine;
    ASSERT_TRUE(engine.IsReady());
    const std::vector<uint8_t> records = TuneRecords([](TMidiGen& gen) { gen.PlayString("I0;48"); });
    EXPECT_LT(Peak(RenderOffline(engine, records, 0.5), 0.0, 1.0), 1e-4);
}

TEST(FluidSynthSmoke, AMissingSoundFontLeavesTheEngineUnready)
{
    TFluidSynthEngine engine("/nonexistent/soundfont.sf2");
    EXPECT_FALSE(engine.IsReady());
}

} // namespace
} // namespace kelto
