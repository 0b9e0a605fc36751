#include "core/sound/virtual_devices.h"

#include <chrono>
#include <ctime>
#include <filesystem>

namespace kelto {

bool TVirtualWavePlayer::FileExists(const std::string& path) const
{
    if (FFolder.empty())
        return false;
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(FFolder) / path, error);
}

TLocalTime TSystemClock::Now() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr)
        return {};
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

int32_t UniformBelow(std::mt19937& engine, int32_t bound)
{
    if (bound <= 0)
        return 0;
    const uint32_t range = static_cast<uint32_t>(bound);
    // Reject the top slice that would make low values more likely.
    const uint32_t limit = UINT32_MAX - UINT32_MAX % range;
    uint32_t value = 0;
    do
        value = static_cast<uint32_t>(engine());
    while (value >= limit);
    return static_cast<int32_t>(value % range);
}

int32_t TSeededRandom::Next(int32_t bound)
{
    return UniformBelow(FEngine, bound);
}

int32_t TClockSeededRandom::Next(int32_t bound)
{
    if (bound <= 0)
        return 0;
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    FEngine.seed(static_cast<uint32_t>(ticks ^ (ticks >> 32)));
    return UniformBelow(FEngine, bound);
}

} // namespace kelto
