#include "core/sound/midi_gen.h"

#include "core/sound/midi_note_string.h"
#include "core/sound/midi_stream_records.h"

namespace kelto {

namespace {

// A device that stays silent this long while the generator waits for it is
// given up on, so no wait can hang the caller.
constexpr std::chrono::milliseconds kNotificationWait{100};
constexpr int32_t kQuietWaitsBeforeGivingUp = 20;

} // namespace

TMidiGen::~TMidiGen()
{
    FLooping = false;
    if (FStreamOpen)
        CloseStream();
}

bool TMidiGen::MidiAvailable()
{
    return FStreamOpen || FDevice.CanOpenOutput(FDeviceId);
}

bool TMidiGen::SetDevice(int32_t id)
{
    FDeviceId = id;
    const int32_t count = FDevice.OutputCount();
    return count > 0 && id < count;
}

bool TMidiGen::Play()
{
    return PlayNote(FNote + FOctave * 12);
}

bool TMidiGen::PlayNote(int32_t key)
{
    if (!Prepare())
        return false;
    return PlayList(NoteEvents(key, Voice()), true);
}

bool TMidiGen::PlayString(std::string_view text)
{
    if (NormalizeNoteString(text).empty())
        return false;
    if (!Prepare())
        return false;
    const TNoteStringEvents parsed = ParseNoteString(text, Voice());
    return PlayList(parsed.Events, parsed.Chord);
}

void TMidiGen::Stop()
{
    FLooping = false;
    if (FStreamOpen && FReady)
        FDevice.Stop();
}

void TMidiGen::DeliverNotifications()
{
    FDevice.DeliverNotifications(std::chrono::milliseconds(0));
}

bool TMidiGen::Prepare()
{
    if (!FReady || !MidiAvailable())
        return false;
    FReady = false;
    FLooping = false;
    if (FStreamOpen) {
        FDevice.Stop();
        if (!WaitUntil([this] { return !FStreamOpen; }))
            CloseStream();
    }
    FLoopsLeft = FLoops;
    return true;
}

bool TMidiGen::PlayList(const TMidiEventList& events, bool glideAllowed)
{
    const bool started = StartStream(events, glideAllowed);
    // The position notification that would make the generator ready again
    // never comes for a stream that did not start.
    if (!started)
        FReady = true;
    return started;
}

bool TMidiGen::StartStream(const TMidiEventList& events, bool glideAllowed)
{
    if (events.empty())
        return false;
    FBuffer = EncodeStreamRecords(events, Controls(), glideAllowed);
    if (!FDevice.Open(FDeviceId, *this))
        return false;
    if (!WaitUntil([this] { return FStreamOpen; })) {
        CloseStream();
        return false;
    }
    FDevice.ResetOutput();
    if (FDevice.SetTimeDivision(kStreamTicksPerQuarterNote) && FDevice.QueueBuffer(FBuffer) &&
        FDevice.Restart())
        return true;
    CloseStream();
    return false;
}

void TMidiGen::StreamNotified(TMidiStreamNotification notification)
{
    switch (notification) {
    case TMidiStreamNotification::Opened:
        FStreamOpen = true;
        FIsPlaying = true;
        FLooping = true;
        FLoopsLeft = FLoops;
        break;
    case TMidiStreamNotification::PositionReached: FReady = true; break;
    case TMidiStreamNotification::BufferDone: BufferDone(); break;
    case TMidiStreamNotification::Closed:
        FStreamOpen = false;
        FIsPlaying = false;
        FLooping = false;
        break;
    }
}

void TMidiGen::BufferDone()
{
    if (!FStreamOpen)
        return;
    if (FLooping && (FLoopsLeft > 1 || FLoopsLeft == 0) && FDevice.QueueBuffer(FBuffer) &&
        FDevice.Restart()) {
        if (FLoopsLeft > 1)
            --FLoopsLeft;
        return;
    }
    FDevice.Stop();
    FDevice.ResetOutput();
    FBuffer.clear();
    FDevice.Close();
}

// Stops and closes the stream and waits for it to close; a device that never
// says so is taken as closed.
void TMidiGen::CloseStream()
{
    FLooping = false;
    FDevice.Stop();
    FDevice.ResetOutput();
    FDevice.Close();
    if (!WaitUntil([this] { return !FStreamOpen; })) {
        FStreamOpen = false;
        FIsPlaying = false;
    }
}

bool TMidiGen::WaitUntil(const std::function<bool()>& done)
{
    int32_t quietWaits = 0;
    while (!done()) {
        if (FDevice.DeliverNotifications(kNotificationWait))
            quietWaits = 0;
        else if (++quietWaits >= kQuietWaitsBeforeGivingUp)
            return false;
    }
    return true;
}

TMidiVoice TMidiGen::Voice() const
{
    return {FChannel, FInstrument, FOctave, FDuration};
}

TMidiControls TMidiGen::Controls() const
{
    return {FChannel,    FInstrument, FVolume,    FPan,     FReverb,    FChorus,
            FModulation, FSustain,    FPitchBend, FPBDelay, FPBDuration};
}

} // namespace kelto
