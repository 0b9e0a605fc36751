#include "core/sound/midi_gen.h"
#include "core/sound/virtual_stream_device.h"

#include <gtest/gtest.h>

#include <string>

namespace kelto {
namespace {

constexpr double kTick = 0.001;

// Moves simulated time on one runner tick at a time until the tune ends;
// the ticks it took, or -1 when it still plays after `limit` ticks.
int32_t TicksUntilSilent(TMidiGen& gen, TVirtualStreamDevice& device, int32_t limit)
{
    for (int32_t tick = 1; tick <= limit; ++tick) {
        device.AdvanceTime(kTick);
        gen.DeliverNotifications();
        if (!gen.IsPlaying())
            return tick;
    }
    return -1;
}

TEST(MidiGen, PlaysC4For48TicksAsTheseExactBytes)
{
    TVirtualStreamDevice device;
    TMidiGen gen(device);
    ASSERT_TRUE(gen.PlayString("C4;48"));
    EXPECT_TRUE(gen.IsPlaying());
    // clang-format off
    const std::vector<uint8_t> expected = {
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x79, 0x00, 0x40, // reset controllers, position notification
        0, 0, 0, 0,  0, 0, 0, 0,  0xB9, 0x79, 0x00, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x64, 0x00, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x65, 0x00, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x06, 0x0C, 0x00, // bend range 12
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x64, 0x7F, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x65, 0x7F, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x0A, 0x40, 0x00, // pan centre
        0, 0, 0, 0,  0, 0, 0, 0,  0xB9, 0x0A, 0x40, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x01, 0x00, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x07, 0x7F, 0x00, // volume 100 %
        0, 0, 0, 0,  0, 0, 0, 0,  0xB9, 0x07, 0x7F, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x40, 0x00, 0x00, // sustain off
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x5B, 0x00, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xB0, 0x5D, 0x00, 0x00,
        0, 0, 0, 0,  0, 0, 0, 0,  0xC0, 0x00, 0x00, 0x00, // piano
        0, 0, 0, 0,  0, 0, 0, 0,  0x90, 0x30, 0x7F, 0x00, // C4 on
        48, 0, 0, 0, 0, 0, 0, 0,  0x90, 0x30, 0x00, 0x00, // C4 off 48 ticks later
    };
    // clang-format on
    EXPECT_EQ(device.FLastQueued, expected);
    // 48 ticks of 10 ms: silent after 480 runner ticks of 1 ms.
    EXPECT_EQ(TicksUntilSilent(gen, device, 1000), 480);
    EXPECT_FALSE(device.IsOpen());
}

TEST(MidiGen, PlayNoteUsesTheSelectedVoice)
{
    TVirtualStreamDevice device;
    TMidiGen gen(device);
    gen.SetNote(mgE);
    gen.SetOctave(5);
    gen.SetDuration(20);
    gen.SetInstrument(40);
    gen.SetChannel(mgCh02);
    gen.SetSustain(true);
    ASSERT_TRUE(gen.Play());
    const std::vector<uint8_t>& bytes = device.FLastQueued;
    ASSERT_EQ(StreamRecordCount(bytes), 18u);
    EXPECT_EQ(StreamRecordAt(bytes, 12).Event, 0x7F40B1u); // sustain pedal down
    EXPECT_EQ(StreamRecordAt(bytes, 15), (TStreamRecord{0, 0x28C1}));
    EXPECT_EQ(StreamRecordAt(bytes, 16), (TStreamRecord{0, 0x7F4091}));
    EXPECT_EQ(StreamRecordAt(bytes, 17), (TStreamRecord{20, 0x4091}));
    EXPECT_EQ(TicksUntilSilent(gen, device, 1000), 200);
}

TEST(MidiGen, PropertiesKeepToTheirRanges)
{
    TVirtualStreamDevice device;
    TMidiGen gen(device);
    const struct {
        const char* Name;
        void (TMidiGen::*Set)(int32_t);
        int32_t (*Get)(const TMidiGen&);
        int32_t Low, High, Default;
    } properties[] = {
        {"Volume", &TMidiGen::SetVolume, [](const TMidiGen& g) { return g.Volume(); }, 0, 100, 100},
        {"Pan", &TMidiGen::SetPan, [](const TMidiGen& g) { return g.Pan(); }, -100, 100, 0},
        {"Reverb", &TMidiGen::SetReverb, [](const TMidiGen& g) { return g.Reverb(); }, 0, 100, 0},
        {"Chorus", &TMidiGen::SetChorus, [](const TMidiGen& g) { return g.Chorus(); }, 0, 100, 0},
        {"Modulation", &TMidiGen::SetModulation, [](const TMidiGen& g) { return g.Modulation(); }, 0, 100, 0},
        {"PitchBend", &TMidiGen::SetPitchBend, [](const TMidiGen& g) { return g.PitchBend(); }, -120, 120, 0},
        {"PBDelay", &TMidiGen::SetPBDelay, [](const TMidiGen& g) { return g.PBDelay(); }, 0, 100, 0},
        {"PBDuration", &TMidiGen::SetPBDuration, [](const TMidiGen& g) { return g.PBDuration(); }, 0, 100,
         100},
        {"Note", &TMidiGen::SetNote, [](const TMidiGen& g) { return int32_t{g.Note()}; }, 0, 11, 0},
        {"Octave", &TMidiGen::SetOctave, [](const TMidiGen& g) { return g.Octave(); }, 0, 10, 4},
        {"Instrument", &TMidiGen::SetInstrument, [](const TMidiGen& g) { return int32_t{g.Instrument()}; }, 0,
         174, 0},
        {"Channel", &TMidiGen::SetChannel, [](const TMidiGen& g) { return int32_t{g.Channel()}; }, 0, 15, 0},
    };
    for (const auto& p : properties) {
        SCOPED_TRACE(p.Name);
        EXPECT_EQ(p.Get(gen), p.Default);
        (gen.*p.Set)(p.High + 1);
        EXPECT_EQ(p.Get(gen), p.High);
        (gen.*p.Set)(p.Low - 1000);
        EXPECT_EQ(p.Get(gen), p.Low);
        (gen.*p.Set)(p.Low + 1);
        EXPECT_EQ(p.Get(gen), p.Low + 1);
    }
    gen.SetDuration(-7);
    gen.SetLoops(-3);
    EXPECT_EQ(gen.Duration(), -7);
    EXPECT_EQ(gen.Loops(), -3);
}

TEST(MidiGen, LoopsReplayTheBufferThenStop)
{
    TVirtualStreamDevice device;
    TMidiGen gen(device);
    gen.SetLoops(3);
    ASSERT_TRUE(gen.PlayString("C4;10,10;E4;10"));
    EXPECT_EQ(TicksUntilSilent(gen, device, 1000), 600);
    EXPECT_EQ(device.FQueueCount, 3);

    // Loops 0 repeats until Stop.
    gen.SetLoops(0);
    ASSERT_TRUE(gen.PlayString("C4;10"));
    EXPECT_EQ(TicksUntilSilent(gen, device, 5000), -1);
    EXPECT_GE(device.FQueueCount, 3 + 50);
    gen.Stop();
    gen.DeliverNotifications();
    EXPECT_FALSE(gen.IsPlaying());
    EXPECT_FALSE(device.IsOpen());
}

TEST(MidiGen, ANewTuneReplacesTheSoundingOneOnceItHasStarted)
{
    TVirtualStreamDevice device;
    TMidiGen gen(device);
    ASSERT_TRUE(gen.PlayString("C4;100"));
    // Until the first record has played the generator is not ready: no new
    // tune, and Stop does nothing.
    EXPECT_FALSE(gen.PlayString("E4;10"));
    gen.Stop();
    gen.DeliverNotifications();
    EXPECT_TRUE(gen.IsPlaying());

    device.AdvanceTime(0.0);
    gen.DeliverNotifications();
    ASSERT_TRUE(gen.PlayString("E4;10"));
    EXPECT_EQ(device.FQueueCount, 2);
    EXPECT_EQ(StreamRecordAt(device.FLastQueued, 16).Data1(), 52);
    EXPECT_EQ(TicksUntilSilent(gen, device, 1000), 100);
}

TEST(MidiGen, RefusedTunesLeaveNothingPlayingAndTheNextOneStillPlays)
{
    TVirtualStreamDevice device;
    TMidiGen gen(device);
    for (const char* refused : {"", "   ", "C11;10", "X;Y;Z", "48"}) {
        SCOPED_TRACE(refused);
        EXPECT_FALSE(gen.PlayString(refused));
        EXPECT_FALSE(gen.IsPlaying());
        EXPECT_FALSE(device.IsOpen());
    }
    EXPECT_TRUE(gen.PlayString("C4;10"));
}

TEST(MidiGen, WithoutAnOutputNothingPlays)
{
    TVirtualStreamDevice device(false);
    TMidiGen gen(device);
    EXPECT_FALSE(gen.MidiAvailable());
    EXPECT_FALSE(gen.PlayString("C4;48"));
    EXPECT_FALSE(gen.Play());
    EXPECT_FALSE(gen.IsPlaying());
    EXPECT_EQ(device.FQueueCount, 0);
    EXPECT_FALSE(gen.SetDevice(0));
}

TEST(MidiGen, DeviceNumberMustExist)
{
    TVirtualStreamDevice device;
    TMidiGen gen(device);
    EXPECT_TRUE(gen.SetDevice(-1));
    EXPECT_TRUE(gen.SetDevice(0));
    EXPECT_FALSE(gen.SetDevice(1));
    EXPECT_FALSE(gen.PlayString("C4;10"));
    EXPECT_TRUE(gen.SetDevice(0));
    EXPECT_TRUE(gen.PlayString("C4;10"));
}

// A device whose stream calls fail or whose notifications never come.
class TFailingDevice final : public IMidiStreamDevice {
public:
    int32_t OutputCount() const override { return 1; }
    bool CanOpenOutput(int32_t) override { return true; }
    bool Open(int32_t deviceId, IMidiStreamClient& client) override
    {
        if (!FOpens)
            return false;
        FClient = &client;
        if (FAnnounces)
            FInner.Open(deviceId, client);
        return true;
    }
    void ResetOutput() override {}
    bool SetTimeDivision(int32_t ticks) override
    {
        return FTimeDivisionWorks && FInner.SetTimeDivision(ticks);
    }
    bool QueueBuffer(std::span<const uint8_t> records) override { return FInner.QueueBuffer(records); }
    bool Restart() override { return FInner.Restart(); }
    void Stop() override { FInner.Stop(); }
    void Close() override
    {
        ++FCloses;
        FInner.Close();
    }
    bool DeliverNotifications(std::chrono::milliseconds wait) override
    {
        ++FWaits;
        return FInner.DeliverNotifications(wait);
    }

    TVirtualStreamDevice FInner;
    IMidiStreamClient* FClient = nullptr;
    bool FOpens = true;
    bool FAnnounces = true;
    bool FTimeDivisionWorks = true;
    int32_t FCloses = 0;
    int32_t FWaits = 0;
};

TEST(MidiGen, AFailingStreamIsClosedAndTheGeneratorStaysUsable)
{
    TFailingDevice device;
    TMidiGen gen(device);
    device.FOpens = false;
    EXPECT_FALSE(gen.PlayString("C4;10"));

    device.FOpens = true;
    device.FTimeDivisionWorks = false;
    EXPECT_FALSE(gen.PlayString("C4;10"));
    EXPECT_FALSE(gen.IsPlaying());
    EXPECT_FALSE(device.FInner.IsOpen());

    // An open that is never confirmed is given up after a bounded wait.
    device.FTimeDivisionWorks = true;
    device.FAnnounces = false;
    EXPECT_FALSE(gen.PlayString("C4;10"));
    EXPECT_LE(device.FWaits, 100);

    device.FAnnounces = true;
    EXPECT_TRUE(gen.PlayString("C4;10"));
    EXPECT_TRUE(gen.IsPlaying());
}

TEST(MidiGen, DestroyingTheGeneratorClosesItsStream)
{
    TVirtualStreamDevice device;
    {
        TMidiGen gen(device);
        gen.SetLoops(0);
        ASSERT_TRUE(gen.PlayString("C4;10"));
        ASSERT_TRUE(device.IsOpen());
    }
    EXPECT_FALSE(device.IsOpen());
}

} // namespace
} // namespace kelto
