// The wave player on ALSA: clips started asynchronously play one at a time
// on a worker thread, a new one cutting off the one sounding; synchronous
// clips play on the caller's thread (the clock thread's words).
#pragma once

#include "core/sound/sound_interfaces.h"
#include "platform/wave_folders.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kelto {

class TAlsaWavePlayer final : public IWavePlayer {
public:
    explicit TAlsaWavePlayer(TWaveFolders folders = DefaultWaveFolders());
    // Cuts off any clip still sounding, synchronous ones too: destroy the
    // clock speaker first.
    ~TAlsaWavePlayer() override;
    TAlsaWavePlayer(const TAlsaWavePlayer&) = delete;
    TAlsaWavePlayer& operator=(const TAlsaWavePlayer&) = delete;

    void PlayAsync(const std::string& source) override;
    void PlaySync(const std::string& source) override;
    bool FileExists(const std::string& path) const override;

private:
    void AsyncLoop();
    // Plays until done or `cancelled`; a clip that cannot be read or played is skipped.
    void PlaySource(const std::string& source, const std::function<bool()>& cancelled) const;

    TWaveFolders FFolders;
    std::atomic<bool> FQuit = false;
    std::atomic<uint64_t> FGeneration = 0; // one per asynchronous request
    std::mutex FLock;
    std::condition_variable FWake;
    std::optional<std::string> FNext;
    std::thread FWorker;
};

} // namespace kelto
