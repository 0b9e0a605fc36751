// A MIDI stream device that plays in simulated time: the runner moves its
// clock by each tick's deltaTime, so a tune lasts its length in ticks.
#pragma once

#include "core/sound/midi_stream_device.h"
#include "core/sound/midi_stream_records.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace kelto {

class TVirtualStreamDevice final : public IMidiStreamDevice {
public:
    // Without an output, nothing opens: the generator then refuses every tune.
    explicit TVirtualStreamDevice(bool hasOutput = true) : FHasOutput(hasOutput) {}

    int32_t OutputCount() const override { return FHasOutput ? 1 : 0; }
    bool CanOpenOutput(int32_t deviceId) override;
    bool Open(int32_t deviceId, IMidiStreamClient& client) override;
    void ResetOutput() override;
    bool SetTimeDivision(int32_t ticksPerQuarterNote) override;
    bool QueueBuffer(std::span<const uint8_t> records) override;
    bool Restart() override;
    void Stop() override;
    void Close() override;
    // Simulated time stands still while the caller waits, so this never waits.
    bool DeliverNotifications(std::chrono::milliseconds wait) override;

    // Moves the clock on by `seconds` and plays the records that have fallen due.
    void AdvanceTime(double seconds);
    int64_t NowMicroseconds() const { return FNow; }
    bool IsOpen() const { return FClient != nullptr; }

    // Called for every record as it plays, with the simulated time.
    std::function<void(int64_t microseconds, const TStreamRecord& record)> FOnRecordPlayed;
    // Called where a real device silences its synthesiser: Stop lets the
    // pedal be, a reset releases it too.
    std::function<void(int64_t microseconds, bool releasePedal)> FOnSilence;
    std::vector<uint8_t> FLastQueued;
    int32_t FQueueCount = 0;
    int32_t FResetCount = 0;

private:
    void StartNextBuffer(int64_t startTime);
    bool PlayDueRecord();
    void FinishBuffer();
    void Post(TMidiStreamNotification notification) { FPending.push_back(notification); }

    bool FHasOutput;
    IMidiStreamClient* FClient = nullptr;
    bool FClosing = false;
    int64_t FMicrosecondsPerTick = 0;
    std::deque<std::vector<uint8_t>> FQueued;
    bool FRunning = false;
    bool FBufferPlaying = false;
    size_t FNextRecord = 0;
    int64_t FLastRecordTime = 0;
    int64_t FNow = 0;
    std::deque<TMidiStreamNotification> FPending;
};

} // namespace kelto
