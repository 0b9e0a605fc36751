#include "platform/alsa_wave_player.h"

#include "platform/pcm_output.h"
#include "platform/wave_file.h"

#include <filesystem>
#include <system_error>

namespace kelto {

TAlsaWavePlayer::TAlsaWavePlayer(TWaveFolders folders) : FFolders(std::move(folders))
{
    QuietAlsaErrors();
    try {
        FWorker = std::thread(&TAlsaWavePlayer::AsyncLoop, this);
    } catch (const std::system_error&) {
        // Asynchronous clips are then skipped.
    }
}

TAlsaWavePlayer::~TAlsaWavePlayer()
{
    {
        std::lock_guard lock(FLock);
        FQuit = true;
    }
    FWake.notify_all();
    if (FWorker.joinable())
        FWorker.join();
}

void TAlsaWavePlayer::PlayAsync(const std::string& source)
{
    {
        std::lock_guard lock(FLock);
        FNext = source;
        ++FGeneration;
    }
    FWake.notify_all();
}

void TAlsaWavePlayer::PlaySync(const std::string& source)
{
    PlaySource(source, [this] { return FQuit.load(); });
}

bool TAlsaWavePlayer::FileExists(const std::string& path) const
{
    std::error_code error;
    return std::filesystem::is_regular_file(WaveSourcePath(path, FFolders), error);
}

void TAlsaWavePlayer::AsyncLoop()
{
    std::unique_lock lock(FLock);
    while (!FQuit) {
        if (!FNext) {
            FWake.wait(lock);
            continue;
        }
        const std::string source = std::move(*FNext);
        FNext.reset();
        const uint64_t generation = FGeneration;
        lock.unlock();
        PlaySource(source, [this, generation] { return FQuit.load() || FGeneration.load() != generation; });
        lock.lock();
    }
}

void TAlsaWavePlayer::PlaySource(const std::string& source, const std::function<bool()>& cancelled) const
{
    const std::optional<TWaveClip> clip = LoadWaveFile(WaveSourcePath(source, FFolders));
    if (clip)
        PlayPcm(*clip, cancelled);
}

} // namespace kelto
