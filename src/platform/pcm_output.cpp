#include "platform/pcm_output.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace kelto {

namespace {

using TClock = std::chrono::steady_clock;

constexpr unsigned kLatencyMicroseconds = 100000;
constexpr int kPollMilliseconds = 10;
// How much longer than the clip itself the output may take before it is
// taken as stuck.
constexpr std::chrono::seconds kStallAllowance{2};

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...)
{
}

class TPcmHandle {
public:
    ~TPcmHandle()
    {
        if (FPcm != nullptr)
            snd_pcm_close(FPcm);
    }
    bool Open(const TWaveClip& clip);
    snd_pcm_t* Get() const { return FPcm; }

private:
    snd_pcm_t* FPcm = nullptr;
};

bool TPcmHandle::Open(const TWaveClip& clip)
{
    // Non-blocking, so a busy or stalled device can never hold the caller.
    if (snd_pcm_open(&FPcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
        FPcm = nullptr;
        return false;
    }
    const snd_pcm_format_t format = clip.BitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    return snd_pcm_set_params(FPcm, format, SND_PCM_ACCESS_RW_INTERLEAVED,
                              static_cast<unsigned>(clip.Channels), static_cast<unsigned>(clip.SampleRate), 1,
                              kLatencyMicroseconds) >= 0;
}

bool WriteAll(snd_pcm_t* pcm, const TWaveClip& clip, const std::function<bool()>& cancelled,
              TClock::time_point deadline)
{
    const size_t frameSize = static_cast<size_t>(clip.FrameSize());
    const size_t frames = clip.FrameCount();
    size_t written = 0;
    while (written < frames) {
        if (cancelled() || TClock::now() > deadline)
            return false;
        const snd_pcm_sframes_t result =
            snd_pcm_writei(pcm, clip.Samples.data() + written * frameSize, frames - written);
        if (result >= 0)
            written += static_cast<size_t>(result);
        else if (result == -EAGAIN)
            snd_pcm_wait(pcm, kPollMilliseconds);
        else if (snd_pcm_recover(pcm, static_cast<int>(result), 1) < 0)
            return false;
    }
    return true;
}

void WaitUntilHeard(snd_pcm_t* pcm, const std::function<bool()>& cancelled, TClock::time_point deadline)
{
    snd_pcm_sframes_t delay = 0;
    while (!cancelled() && TClock::now() < deadline && snd_pcm_delay(pcm, &delay) == 0 && delay > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
}

} // namespace

bool PlayPcm(const TWaveClip& clip, const std::function<bool()>& cancelled)
{
    if (clip.FrameCount() == 0)
        return true;
    TPcmHandle pcm;
    if (!pcm.Open(clip))
        return false;
    const auto clipLength =
        std::chrono::duration_cast<TClock::duration>(std::chrono::duration<double>(clip.Seconds()));
    const TClock::time_point deadline = TClock::now() + clipLength + kStallAllowance;
    if (WriteAll(pcm.Get(), clip, cancelled, deadline))
        WaitUntilHeard(pcm.Get(), cancelled, deadline);
    snd_pcm_drop(pcm.Get());
    return true;
}

void QuietAlsaErrors()
{
    snd_lib_error_set_handler(IgnoreAlsaError);
}

} // namespace kelto
