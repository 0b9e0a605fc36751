// TMidiGen: the tone generator. Plays one note or a note string as a buffer
// of stream records on an IMidiStreamDevice, optionally looping; the device's
// notifications drive its state.
#pragma once

#include "core/sound/midi_event_list.h"
#include "core/sound/midi_gen_types.h"
#include "core/sound/midi_stream_device.h"
#include "core/sound/sound_interfaces.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace kelto {

class TMidiGen final : public IToneGenerator, private IMidiStreamClient {
public:
    // The device must outlive the generator.
    explicit TMidiGen(IMidiStreamDevice& device) : FDevice(device) {}
    ~TMidiGen() override;
    TMidiGen(const TMidiGen&) = delete;
    TMidiGen& operator=(const TMidiGen&) = delete;

    int32_t Volume() const { return FVolume; }
    void SetVolume(int32_t value) { FVolume = std::clamp(value, 0, 100); }
    int32_t Pan() const { return FPan; }
    void SetPan(int32_t value) { FPan = std::clamp(value, -100, 100); }
    int32_t Reverb() const { return FReverb; }
    void SetReverb(int32_t value) { FReverb = std::clamp(value, 0, 100); }
    int32_t Chorus() const { return FChorus; }
    void SetChorus(int32_t value) { FChorus = std::clamp(value, 0, 100); }
    int32_t Modulation() const { return FModulation; }
    void SetModulation(int32_t value) { FModulation = std::clamp(value, 0, 100); }
    bool Sustain() const { return FSustain; }
    void SetSustain(bool value) { FSustain = value; }
    int32_t PitchBend() const { return FPitchBend; }
    void SetPitchBend(int32_t value) { FPitchBend = std::clamp(value, -120, 120); }
    int32_t PBDelay() const { return FPBDelay; }
    void SetPBDelay(int32_t value) { FPBDelay = std::clamp(value, 0, 100); }
    int32_t PBDuration() const { return FPBDuration; }
    void SetPBDuration(int32_t value) { FPBDuration = std::clamp(value, 0, 100); }
    int32_t Duration() const { return FDuration; }
    void SetDuration(int32_t value) { FDuration = value; }
    TMGNote Note() const { return FNote; }
    void SetNote(int32_t value) { FNote = static_cast<TMGNote>(std::clamp<int32_t>(value, mgC, mgB)); }
    int32_t Octave() const { return FOctave; }
    void SetOctave(int32_t value) { FOctave = std::clamp(value, 0, 10); }
    TMGInstrument Instrument() const { return FInstrument; }
    void SetInstrument(int32_t value)
    {
        FInstrument =
            static_cast<TMGInstrument>(std::clamp<int32_t>(value, mgAcousticGrandPiano, mgOpenTriangle));
    }
    TMGChannel Channel() const { return FChannel; }
    void SetChannel(int32_t value)
    {
        FChannel = static_cast<TMGChannel>(std::clamp<int32_t>(value, mgCh01, mgCh16));
    }
    int32_t Loops() const { return FLoops; }
    void SetLoops(int32_t value) { FLoops = value; }
    bool IsPlaying() const override { return FIsPlaying; }

    bool MidiAvailable();
    bool SetDevice(int32_t id);
    bool Play();
    bool PlayNote(int32_t key);
    bool PlayString(std::string_view text) override;
    void Stop();

    // Hands the device's waiting notifications to the generator; the owner
    // calls it on its own thread whenever the device signals some.
    void DeliverNotifications();

private:
    void StreamNotified(TMidiStreamNotification notification) override;
    bool Prepare();
    bool PlayList(const TMidiEventList& events, bool glideAllowed);
    bool StartStream(const TMidiEventList& events, bool glideAllowed);
    void BufferDone();
    void CloseStream();
    bool WaitUntil(const std::function<bool()>& done);
    TMidiVoice Voice() const;
    TMidiControls Controls() const;

    IMidiStreamDevice& FDevice;

    int32_t FVolume = 100;
    int32_t FPan = 0;
    int32_t FReverb = 0;
    int32_t FChorus = 0;
    int32_t FModulation = 0;
    bool FSustain = false;
    int32_t FPitchBend = 0;
    int32_t FPBDelay = 0;
    int32_t FPBDuration = 100;
    int32_t FDuration = 50;
    TMGNote FNote = mgC;
    int32_t FOctave = 4;
    TMGInstrument FInstrument = mgAcousticGrandPiano;
    TMGChannel FChannel = mgCh01;
    int32_t FLoops = 1;
    bool FIsPlaying = false;

    int32_t FDeviceId = -1; // the MIDI mapper
    bool FStreamOpen = false;
    bool FLooping = false;
    bool FReady = true;
    int32_t FLoopsLeft = 0;
    std::vector<uint8_t> FBuffer;
};

} // namespace kelto
