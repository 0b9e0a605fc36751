// The FluidSynth stream device in real time. The machine running the tests
// may have no sound card, so the timing tests play unheard.
#include "core/sound/midi_gen.h"
#include "platform/fluid_stream_device.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace kelto {
namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

TFluidStreamOptions Unheard()
{
    TFluidStreamOptions options;
    options.AudioDrivers = {};
    options.PlayWithoutAudio = true;
    return options;
}

// Delivers notifications as a main loop would until the tune ends; the
// seconds that took, or a negative number after `limit`.
double SecondsUntilSilent(TMidiGen& gen, std::chrono::milliseconds limit)
{
    const TClock::time_point start = TClock::now();
    while (TClock::now() - start < limit) {
        gen.DeliverNotifications();
        if (!gen.IsPlaying())
            return std::chrono::duration<double>(TClock::now() - start).count();
        std::this_thread::sleep_for(2ms);
    }
    return -1;
}

TEST(FluidStreamDevice, WithoutAnAudioOutputTunesAreRefusedAtOnce)
{
    TFluidStreamOptions options;
    options.AudioDrivers = {};
    TFluidStreamDevice device(options);
    TMidiGen gen(device);
    const TClock::time_point start = TClock::now();
    EXPECT_EQ(device.OutputCount(), 0);
    EXPECT_FALSE(gen.PlayString("C4;48"));
    EXPECT_FALSE(gen.IsPlaying());
    EXPECT_LT(TClock::now() - start, 100ms);
}

TEST(FluidStreamDevice, ATunePlaysForItsLengthAtTenMillisecondsATick)
{
    TFluidStreamDevice device(Unheard());
    TMidiGen gen(device);
    ASSERT_TRUE(gen.PlayString("C4;10,10;E4;10"));
    EXPECT_TRUE(gen.IsPlaying());
    const double seconds = SecondsUntilSilent(gen, 3000ms);
    EXPECT_GE(seconds, 0.19);
    EXPECT_LT(seconds, 0.6);

    gen.SetLoops(3);
    ASSERT_TRUE(gen.PlayString("C4;10"));
    const double looped = SecondsUntilSilent(gen, 3000ms);
    EXPECT_GE(looped, 0.29);
    EXPECT_LT(looped, 0.8);
}

TEST(FluidStreamDevice, StopEndsAnEndlessTune)
{
    TFluidStreamDevice device(Unheard());
    TMidiGen gen(device);
    gen.SetLoops(0);
    ASSERT_TRUE(gen.PlayString("C4;5"));
    EXPECT_LT(SecondsUntilSilent(gen, 300ms), 0);
    gen.Stop();
    const double seconds = SecondsUntilSilent(gen, 1000ms);
    EXPECT_GE(seconds, 0);
    EXPECT_LT(seconds, 0.2);
}

TEST(FluidStreamDevice, NotificationsComeInOrderAndWakeTheOwner)
{
    class TLog final : public IMidiStreamClient {
    public:
        void StreamNotified(TMidiStreamNotification n) override { FSeen.push_back(n); }
        std::vector<TMidiStreamNotification> FSeen;
    } log;
    using N = TMidiStreamNotification;
    TFluidStreamDevice device(Unheard());
    std::atomic<int> wakeUps = 0;
    device.SetWakeUp([&] { ++wakeUps; });
    ASSERT_TRUE(device.Open(-1, log));
    ASSERT_TRUE(device.SetTimeDivision(50));
    TMidiControls controls;
    ASSERT_TRUE(device.QueueBuffer(EncodeStreamRecords(
        {{0, TMidiEventKind::NoteOn, 60, 0}, {3, TMidiEventKind::NoteOff, 60, 0}}, controls, false)));
    ASSERT_TRUE(device.Restart());
    const TClock::time_point start = TClock::now();
    while (log.FSeen.size() < 3 && TClock::now() - start < 2s)
        device.DeliverNotifications(100ms);
    EXPECT_GE(TClock::now() - start, 25ms);
    device.Close();
    device.DeliverNotifications(100ms);
    EXPECT_EQ(log.FSeen, (std::vector<N>{N::Opened, N::PositionReached, N::BufferDone, N::Closed}));
    EXPECT_EQ(wakeUps, 4);
}

TEST(FluidStreamDevice, ClosingInTheMiddleOfALongTuneDoesNotWaitForIt)
{
    TFluidStreamDevice device(Unheard());
    const TClock::time_point start = TClock::now();
    {
        TMidiGen gen(device);
        ASSERT_TRUE(gen.PlayString("C4;100000"));
        std::this_thread::sleep_for(20ms);
        gen.DeliverNotifications();
    }
    EXPECT_LT(TClock::now() - start, 1s);
}

} // namespace
} // namespace kelto
