// The MIDI stream output the tone generator plays its record buffers on: the
// FluidSynth device in the front end, a simulated-time device in the runner.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>

namespace kelto {

enum class TMidiStreamNotification : uint8_t { Opened, PositionReached, BufferDone, Closed };

class IMidiStreamClient {
public:
    virtual ~IMidiStreamClient() = default;
    virtual void StreamNotified(TMidiStreamNotification notification) = 0;
};

// Every call comes from the owner's thread. Notifications are never delivered
// from inside another call: they wait in the device until DeliverNotifications.
class IMidiStreamDevice {
public:
    virtual ~IMidiStreamDevice() = default;

    virtual int32_t OutputCount() const = 0;
    // Opens the output and closes it again at once.
    virtual bool CanOpenOutput(int32_t deviceId) = 0;

    // Opens a stream; the opened notification follows.
    virtual bool Open(int32_t deviceId, IMidiStreamClient& client) = 0;
    // Silences every channel: all notes off, sustain pedal up.
    virtual void ResetOutput() = 0;
    virtual bool SetTimeDivision(int32_t ticksPerQuarterNote) = 0;
    // Queues a buffer of 12-byte stream records; the device keeps its own copy.
    virtual bool QueueBuffer(std::span<const uint8_t> records) = 0;
    // Starts or resumes playing the queued buffers.
    virtual bool Restart() = 0;
    // Stops playing; every queued buffer comes back with a buffer-done notification.
    virtual void Stop() = 0;
    // Closes the stream; the closed notification follows.
    virtual void Close() = 0;

    // Hands the notifications that have arrived to the client on the calling
    // thread. When none is waiting, first waits up to `wait` for one. Returns
    // whether any was delivered.
    virtual bool DeliverNotifications(std::chrono::milliseconds wait) = 0;
};

} // namespace kelto
