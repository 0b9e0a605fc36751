// The MIDI stream device on FluidSynth: a player thread walks the queued
// record buffers in real time (tempo 500 000 us per quarter note over the
// stream's time division) into the synthesiser, which an audio driver plays.
//
// Notifications wait in a thread-safe queue. The owner hands them to the
// tone generator on its own thread: set a wake-up hook that schedules
// TMidiGen::DeliverNotifications there (for Qt, a queued
// QMetaObject::invokeMethod), or call it every frame.
#pragma once

#include "core/sound/midi_stream_device.h"
#include "platform/fluid_synth_engine.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kelto {

struct TFluidStreamOptions {
    std::string SoundFont = kGeneralMidiSoundFont;
    double Gain = kAudibleGain;
    // Tried in order; the first that opens plays the synthesiser.
    std::vector<std::string> AudioDrivers = {"pulseaudio", "alsa"};
    // Play (unheard) even when no audio driver opens: for timing tests.
    bool PlayWithoutAudio = false;
};

class TFluidStreamDevice final : public IMidiStreamDevice {
public:
    explicit TFluidStreamDevice(const TFluidStreamOptions& options = {});
    ~TFluidStreamDevice() override;
    TFluidStreamDevice(const TFluidStreamDevice&) = delete;
    TFluidStreamDevice& operator=(const TFluidStreamDevice&) = delete;

    bool HasAudioOutput() const { return FAudioDriver != nullptr; }

    int32_t OutputCount() const override;
    bool CanOpenOutput(int32_t deviceId) override;
    bool Open(int32_t deviceId, IMidiStreamClient& client) override;
    void ResetOutput() override;
    bool SetTimeDivision(int32_t ticksPerQuarterNote) override;
    bool QueueBuffer(std::span<const uint8_t> records) override;
    bool Restart() override;
    void Stop() override;
    void Close() override;
    bool DeliverNotifications(std::chrono::milliseconds wait) override;

    // Called on any thread whenever a notification starts waiting.
    void SetWakeUp(std::function<void()> wakeUp);

private:
    using TClock = std::chrono::steady_clock;

    void Post(TMidiStreamNotification notification);
    void StopLocked();
    void PlayerLoop();
    void PlayNextRecord(std::unique_lock<std::mutex>& lock);

    TFluidSynthEngine FEngine;
    fluid_audio_driver_t* FAudioDriver = nullptr;
    bool FPlayWithoutAudio;

    std::mutex FLock; // everything below
    std::condition_variable FPlayerWake;
    bool FQuit = false;
    bool FOpen = false;
    bool FRunning = false;
    std::chrono::microseconds FTickLength{0};
    std::deque<std::vector<uint8_t>> FQueued;
    size_t FNextRecord = 0;
    TClock::time_point FLastRecordTime;
    uint64_t FGeneration = 0; // bumped by every stop, so a sleeping player wakes to look again

    std::mutex FNotificationLock; // the notification queue and the client
    std::condition_variable FNotificationArrived;
    std::deque<TMidiStreamNotification> FNotifications;
    IMidiStreamClient* FClient = nullptr;
    std::function<void()> FWakeUp;

    std::thread FPlayer;
};

} // namespace kelto
