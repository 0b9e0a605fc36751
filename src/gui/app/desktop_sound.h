// The sound devices the window gives the interpreter: MidiGen1 on the MIDI
// stream device, the wave player and the spoken clock. Without the audio
// backends in the build, the interpreter's silent devices stay in place.
#pragma once

#include "core/basic/interpreter.h"

#include <memory>

namespace kelto::gui {

class TDesktopSound {
public:
    virtual ~TDesktopSound() = default;
    // Null members leave the interpreter's built-in devices in place.
    virtual TSoundDevices Devices() = 0;
    // Whether what plays is heard. Without an output tunes still keep their
    // time, as on a PC with a synthesiser and no speakers.
    virtual bool HasAudioOutput() const = 0;
};

// Must outlive every interpreter it is given to. Device notifications are
// handed to MidiGen1 on the thread that calls this.
std::unique_ptr<TDesktopSound> CreateDesktopSound();

} // namespace kelto::gui
