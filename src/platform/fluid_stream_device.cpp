#include "platform/fluid_stream_device.h"

#include <algorithm>
#include <system_error>

namespace kelto {

namespace {

constexpr std::chrono::microseconds kQuarterNote{500000};
// A stream opened without a time division counts 96 ticks per quarter note.
constexpr int32_t kDefaultTicksPerQuarterNote = 96;
// A buffer queued this late after the previous one ended starts now rather
// than rushing its first records to catch up.
constexpr std::chrono::milliseconds kCatchUpLimit{50};

// Probing drivers on a machine without sound prints an error per driver;
// the device reports the outcome itself.
fluid_audio_driver_t* OpenFirstAudioDriver(TFluidSynthEngine& engine, const std::vector<std::string>& drivers)
{
    if (!engine.IsReady())
        return nullptr;
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    fluid_audio_driver_t* driver = nullptr;
    for (const std::string& name : drivers) {
        fluid_settings_setstr(engine.Settings(), "audio.driver", name.c_str());
        driver = new_fluid_audio_driver(engine.Settings(), engine.Synth());
        if (driver != nullptr)
            break;
    }
    fluid_set_log_function(FLUID_ERR, fluid_default_log_function, nullptr);
    return driver;
}

} // namespace

TFluidStreamDevice::TFluidStreamDevice(const TFluidStreamOptions& options)
    : FEngine(options.SoundFont, options.Gain), FPlayWithoutAudio(options.PlayWithoutAudio)
{
    FAudioDriver = OpenFirstAudioDriver(FEngine, options.AudioDrivers);
    try {
        FPlayer = std::thread(&TFluidStreamDevice::PlayerLoop, this);
    } catch (const std::system_error&) {
        // Without a player thread the device has no output to offer.
    }
}

TFluidStreamDevice::~TFluidStreamDevice()
{
    {
        std::lock_guard lock(FLock);
        FQuit = true;
    }
    FPlayerWake.notify_all();
    if (FPlayer.joinable())
        FPlayer.join();
    if (FAudioDriver != nullptr)
        delete_fluid_audio_driver(FAudioDriver);
}

int32_t TFluidStreamDevice::OutputCount() const
{
    const bool canPlay = FEngine.IsReady() && (FAudioDriver != nullptr || FPlayWithoutAudio);
    return canPlay && FPlayer.joinable() ? 1 : 0;
}

bool TFluidStreamDevice::CanOpenOutput(int32_t deviceId)
{
    const int32_t count = OutputCount();
    return count > 0 && deviceId < count;
}

bool TFluidStreamDevice::Open(int32_t deviceId, IMidiStreamClient& client)
{
    if (!CanOpenOutput(deviceId))
        return false;
    {
        std::lock_guard lock(FLock);
        if (FOpen)
            return false;
        FOpen = true;
        FRunning = false;
        FTickLength = kQuarterNote / kDefaultTicksPerQuarterNote;
        FQueued.clear();
        FNextRecord = 0;
        FLastRecordTime = TClock::now();
    }
    {
        std::lock_guard lock(FNotificationLock);
        FClient = &client;
    }
    Post(TMidiStreamNotification::Opened);
    return true;
}

void TFluidStreamDevice::ResetOutput()
{
    FEngine.Silence(true);
}

bool TFluidStreamDevice::SetTimeDivision(int32_t ticksPerQuarterNote)
{
    std::lock_guard lock(FLock);
    if (!FOpen || ticksPerQuarterNote <= 0)
        return false;
    FTickLength = kQuarterNote / ticksPerQuarterNote;
    return true;
}

bool TFluidStreamDevice::QueueBuffer(std::span<const uint8_t> records)
{
    {
        std::lock_guard lock(FLock);
        if (!FOpen)
            return false;
        FQueued.emplace_back(records.begin(), records.end());
    }
    FPlayerWake.notify_all();
    return true;
}

bool TFluidStreamDevice::Restart()
{
    {
        std::lock_guard lock(FLock);
        if (!FOpen)
            return false;
        FRunning = true;
    }
    FPlayerWake.notify_all();
    return true;
}

void TFluidStreamDevice::Stop()
{
    {
        std::lock_guard lock(FLock);
        StopLocked();
    }
    FPlayerWake.notify_all();
}

void TFluidStreamDevice::Close()
{
    {
        std::lock_guard lock(FLock);
        if (!FOpen)
            return;
        StopLocked();
        FOpen = false;
    }
    FPlayerWake.notify_all();
    Post(TMidiStreamNotification::Closed);
}

void TFluidStreamDevice::StopLocked()
{
    FRunning = false;
    for (size_t i = 0; i < FQueued.size(); ++i)
        Post(TMidiStreamNotification::BufferDone);
    FQueued.clear();
    FNextRecord = 0;
    ++FGeneration;
    FEngine.Silence(false);
}

bool TFluidStreamDevice::DeliverNotifications(std::chrono::milliseconds wait)
{
    std::unique_lock lock(FNotificationLock);
    if (FNotifications.empty() && wait.count() > 0)
        FNotificationArrived.wait_for(lock, wait, [this] { return !FNotifications.empty(); });
    bool delivered = false;
    while (!FNotifications.empty()) {
        const TMidiStreamNotification notification = FNotifications.front();
        FNotifications.pop_front();
        IMidiStreamClient* client = FClient;
        if (notification == TMidiStreamNotification::Closed)
            FClient = nullptr;
        lock.unlock();
        if (client != nullptr)
            client->StreamNotified(notification);
        delivered = true;
        lock.lock();
    }
    return delivered;
}

void TFluidStreamDevice::SetWakeUp(std::function<void()> wakeUp)
{
    std::lock_guard lock(FNotificationLock);
    FWakeUp = std::move(wakeUp);
}

void TFluidStreamDevice::Post(TMidiStreamNotification notification)
{
    std::function<void()> wakeUp;
    {
        std::lock_guard lock(FNotificationLock);
        FNotifications.push_back(notification);
        wakeUp = FWakeUp;
    }
    FNotificationArrived.notify_all();
    if (wakeUp)
        wakeUp();
}

void TFluidStreamDevice::PlayerLoop()
{
    std::unique_lock lock(FLock);
    while (!FQuit) {
        if (!FRunning || FQueued.empty())
            FPlayerWake.wait(lock);
        else
            PlayNextRecord(lock);
    }
}

void TFluidStreamDevice::PlayNextRecord(std::unique_lock<std::mutex>& lock)
{
    const size_t count = StreamRecordCount(FQueued.front());
    if (FNextRecord == 0)
        FLastRecordTime = std::max(FLastRecordTime, TClock::now() - kCatchUpLimit);
    if (FNextRecord < count) {
        const TStreamRecord record = StreamRecordAt(FQueued.front(), FNextRecord);
        const TClock::time_point due = FLastRecordTime + record.Delta * FTickLength;
        const uint64_t generation = FGeneration;
        if (FPlayerWake.wait_until(lock, due, [&] { return FQuit || FGeneration != generation; }))
            return;
        FLastRecordTime = due;
        FEngine.Send(record);
        if (record.WantsPositionNotification())
            Post(TMidiStreamNotification::PositionReached);
        ++FNextRecord;
    }
    if (FNextRecord >= count) {
        FQueued.pop_front();
        FNextRecord = 0;
        Post(TMidiStreamNotification::BufferDone);
    }
}

} // namespace kelto
