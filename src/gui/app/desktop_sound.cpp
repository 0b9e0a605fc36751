#include "gui/app/desktop_sound.h"

#include "core/sound/midi_gen.h"
#include "core/sound/virtual_devices.h"
#include "platform/alsa_wave_player.h"
#include "platform/clock_speaker.h"
#include "platform/fluid_stream_device.h"

#include <QMetaObject>
#include <QObject>

namespace kelto::gui {

namespace {

TFluidStreamOptions PlayEvenUnheard()
{
    TFluidStreamOptions options;
    options.PlayWithoutAudio = true;
    return options;
}

// Members are destroyed in reverse: the clock speaker lets its sentence end
// before the player goes, and queued notifications die with the receiver.
class TPlatformSound final : public TDesktopSound {
public:
    TPlatformSound()
    {
        MidiGen1.SetSustain(true);
        FMidiDevice.SetWakeUp([this] {
            QMetaObject::invokeMethod(
                &FReceiver, [this] { MidiGen1.DeliverNotifications(); }, Qt::QueuedConnection);
        });
    }
    ~TPlatformSound() override { FMidiDevice.SetWakeUp(nullptr); }

    TSoundDevices Devices() override { return {&MidiGen1, &FWavePlayer, &FClockSpeaker, &FClock, nullptr}; }
    bool HasAudioOutput() const override { return FMidiDevice.HasAudioOutput(); }

private:
    QObject FReceiver;
    // First, so ALSA is quiet before the synthesiser tries its drivers.
    TAlsaWavePlayer FWavePlayer;
    TFluidStreamDevice FMidiDevice{PlayEvenUnheard()};
    TMidiGen MidiGen1{FMidiDevice};
    TSystemClock FClock;
    TClockSpeaker FClockSpeaker{FWavePlayer, FClock};
};

} // namespace

std::unique_ptr<TDesktopSound> CreateDesktopSound()
{
    return std::make_unique<TPlatformSound>();
}

} // namespace kelto::gui
