#include "core/sound/midi_gen.h"
#include "core/sound/virtual_stream_device.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelto {
namespace {

struct TPlayed {
    int64_t Microseconds;
    uint32_t Event;
    bool operator==(const TPlayed&) const = default;
};

class TNotificationLog final : public IMidiStreamClient {
public:
    void StreamNotified(TMidiStreamNotification notification) override { FSeen.push_back(notification); }
    std::vector<TMidiStreamNotification> FSeen;
};

TEST(VirtualStreamDevice, PlaysEachRecordAtItsSimulatedTime)
{
    TVirtualStreamDevice device;
    std::vector<TPlayed> notes;
    device.FOnRecordPlayed = [&](int64_t microseconds, const TStreamRecord& record) {
        if ((record.Status() & 0xF0) == 0x90)
            notes.push_back({microseconds, record.Event & 0xFFFFFF});
    };
    TMidiGen gen(device);
    ASSERT_TRUE(gen.PlayString("C4;48,48;E4;96"));
    int32_t ticks = 0;
    // Coarse steps still stamp every record with its own due time.
    while (gen.IsPlaying() && ticks < 100) {
        device.AdvanceTime(0.035);
        gen.DeliverNotifications();
        ++ticks;
    }
    EXPECT_EQ(notes, (std::vector<TPlayed>{
                         {0, 0x7F3090}, {480000, 0x003090}, {480000, 0x7F3490}, {1440000, 0x003490}}));
    EXPECT_EQ(ticks, 42); // 1.44 s in steps of 35 ms
}

TEST(VirtualStreamDevice, NotifiesPositionOncePerBufferAndReturnsStoppedBuffers)
{
    TVirtualStreamDevice device;
    TNotificationLog log;
    using N = TMidiStreamNotification;
    ASSERT_TRUE(device.Open(-1, log));
    EXPECT_FALSE(device.Open(-1, log));
    ASSERT_TRUE(device.SetTimeDivision(50));
    const std::vector<uint8_t> buffer = EncodeStreamRecords(
        {{0, TMidiEventKind::NoteOn, 60, 0}, {5, TMidiEventKind::NoteOff, 60, 0}}, {}, false);
    ASSERT_TRUE(device.QueueBuffer(buffer));
    ASSERT_TRUE(device.QueueBuffer(buffer));
    ASSERT_TRUE(device.Restart());
    device.AdvanceTime(0.05);
    device.DeliverNotifications(std::chrono::milliseconds(0));
    EXPECT_EQ(log.FSeen, (std::vector<N>{N::Opened, N::PositionReached, N::BufferDone, N::PositionReached}));

    device.Stop();
    device.Close();
    device.Close();
    device.AdvanceTime(1.0);
    device.DeliverNotifications(std::chrono::milliseconds(0));
    EXPECT_EQ(log.FSeen, (std::vector<N>{N::Opened, N::PositionReached, N::BufferDone, N::PositionReached,
                                         N::BufferDone, N::Closed}));
    EXPECT_FALSE(device.IsOpen());
}

TEST(VirtualStreamDevice, WithoutAnOutputNothingOpens)
{
    TVirtualStreamDevice device(false);
    TNotificationLog log;
    EXPECT_EQ(device.OutputCount(), 0);
    EXPECT_FALSE(device.CanOpenOutput(-1));
    EXPECT_FALSE(device.Open(-1, log));
    EXPECT_FALSE(device.QueueBuffer(std::vector<uint8_t>(12)));
    EXPECT_FALSE(device.DeliverNotifications(std::chrono::milliseconds(0)));
}

// A clock moved by ticks of any length stops at its largest count.
TEST(VirtualStreamDevice, ClockSaturatesAndStillPlaysEveryRecord)
{
    TVirtualStreamDevice device;
    int32_t played = 0;
    device.FOnRecordPlayed = [&](int64_t, const TStreamRecord&) { ++played; };
    TMidiGen gen(device);
    ASSERT_TRUE(gen.PlayString("C4;48,48;E4;96"));
    for (int i = 0; i < 3; ++i) {
        device.AdvanceTime(4.6e12);
        gen.DeliverNotifications();
    }
    EXPECT_EQ(device.NowMicroseconds(), std::numeric_limits<int64_t>::max());
    EXPECT_FALSE(gen.IsPlaying());
    EXPECT_GE(played, 4);
    device.AdvanceTime(std::numeric_limits<double>::infinity());
    device.AdvanceTime(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(device.NowMicroseconds(), std::numeric_limits<int64_t>::max());
}

} // namespace
} // namespace kelto
