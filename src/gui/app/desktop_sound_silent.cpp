#include "gui/app/desktop_sound.h"

namespace kelto::gui {

namespace {

class TSilentSound final : public TDesktopSound {
public:
    TSoundDevices Devices() override { return {}; }
    bool HasAudioOutput() const override { return false; }
};

} // namespace

std::unique_ptr<TDesktopSound> CreateDesktopSound()
{
    return std::make_unique<TSilentSound>();
}

} // namespace kelto::gui
