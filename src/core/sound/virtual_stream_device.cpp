#include "core/sound/virtual_stream_device.h"

#include "core/sound/simulated_time.h"

namespace kelto {

namespace {

constexpr int64_t kMicrosecondsPerQuarterNote = 500000;

} // namespace

bool TVirtualStreamDevice::CanOpenOutput(int32_t deviceId)
{
    return FHasOutput && deviceId < OutputCount();
}

bool TVirtualStreamDevice::Open(int32_t deviceId, IMidiStreamClient& client)
{
    if (!CanOpenOutput(deviceId) || FClient != nullptr)
        return false;
    FClient = &client;
    FClosing = false;
    FMicrosecondsPerTick = 0;
    FLastRecordTime = FNow;
    Post(TMidiStreamNotification::Opened);
    return true;
}

bool TVirtualStreamDevice::SetTimeDivision(int32_t ticksPerQuarterNote)
{
    if (FClient == nullptr || ticksPerQuarterNote <= 0)
        return false;
    FMicrosecondsPerTick = kMicrosecondsPerQuarterNote / ticksPerQuarterNote;
    return true;
}

bool TVirtualStreamDevice::QueueBuffer(std::span<const uint8_t> records)
{
    if (FClient == nullptr || FClosing || FMicrosecondsPerTick == 0)
        return false;
    FLastQueued.assign(records.begin(), records.end());
    FQueued.push_back(FLastQueued);
    ++FQueueCount;
    return true;
}

bool TVirtualStreamDevice::Restart()
{
    if (FClient == nullptr || FClosing)
        return false;
    FRunning = true;
    // A buffer queued again right after one ended carries straight on from it.
    if (!FBufferPlaying)
        StartNextBuffer(FLastRecordTime);
    return true;
}

void TVirtualStreamDevice::ResetOutput()
{
    ++FResetCount;
    if (FOnSilence)
        FOnSilence(FNow, true);
}

void TVirtualStreamDevice::Stop()
{
    if (FOnSilence)
        FOnSilence(FNow, false);
    FRunning = false;
    FBufferPlaying = false;
    FLastRecordTime = FNow;
    for (size_t i = 0; i < FQueued.size(); ++i)
        Post(TMidiStreamNotification::BufferDone);
    FQueued.clear();
}

void TVirtualStreamDevice::Close()
{
    if (FClient == nullptr || FClosing)
        return;
    Stop();
    FClosing = true;
    Post(TMidiStreamNotification::Closed);
}

bool TVirtualStreamDevice::DeliverNotifications(std::chrono::milliseconds)
{
    bool delivered = false;
    while (!FPending.empty() && FClient != nullptr) {
        const TMidiStreamNotification notification = FPending.front();
        FPending.pop_front();
        IMidiStreamClient& client = *FClient;
        if (notification == TMidiStreamNotification::Closed)
            FClient = nullptr;
        client.StreamNotified(notification);
        delivered = true;
    }
    return delivered;
}

void TVirtualStreamDevice::AdvanceTime(double seconds)
{
    FNow = SaturatingAdd(FNow, MicrosecondsOf(seconds));
    while (PlayDueRecord()) {
    }
}

void TVirtualStreamDevice::StartNextBuffer(int64_t startTime)
{
    FBufferPlaying = FRunning && !FQueued.empty();
    FNextRecord = 0;
    FLastRecordTime = startTime;
}

bool TVirtualStreamDevice::PlayDueRecord()
{
    if (!FBufferPlaying)
        return false;
    const std::vector<uint8_t>& buffer = FQueued.front();
    if (FNextRecord >= StreamRecordCount(buffer)) {
        FinishBuffer();
        return true;
    }
    const TStreamRecord record = StreamRecordAt(buffer, FNextRecord);
    const int64_t due =
        SaturatingAdd(FLastRecordTime, static_cast<int64_t>(record.Delta) * FMicrosecondsPerTick);
    if (due > FNow)
        return false;
    FLastRecordTime = due;
    if (FOnRecordPlayed)
        FOnRecordPlayed(due, record);
    if (record.WantsPositionNotification())
        Post(TMidiStreamNotification::PositionReached);
    if (++FNextRecord >= StreamRecordCount(buffer))
        FinishBuffer();
    return true;
}

void TVirtualStreamDevice::FinishBuffer()
{
    FQueued.pop_front();
    Post(TMidiStreamNotification::BufferDone);
    StartNextBuffer(FLastRecordTime);
}

} // namespace kelto
