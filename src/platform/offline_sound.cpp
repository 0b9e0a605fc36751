#include "platform/offline_sound.h"

#include "platform/wave_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <span>

namespace kelto {

namespace {

constexpr int32_t kChannels = 2;
constexpr int32_t kRate = static_cast<int32_t>(kSynthSampleRate);
constexpr size_t kRenderChunkFrames = 4096;

size_t FrameAt(int64_t microseconds, size_t frameCount)
{
    const double frame = std::round(static_cast<double>(microseconds) * kRate / 1e6);
    return frame >= static_cast<double>(frameCount) ? frameCount : static_cast<size_t>(std::max(frame, 0.0));
}

int16_t Saturate(double value)
{
    return static_cast<int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

void RenderSynth(TFluidSynthEngine& engine, std::span<int16_t> out)
{
    std::vector<float> chunk(kRenderChunkFrames * kChannels);
    for (size_t done = 0; done < out.size(); done += chunk.size()) {
        const size_t count = std::min(chunk.size(), out.size() - done);
        engine.Render(std::span(chunk).first(count));
        for (size_t i = 0; i < count; ++i)
            out[done + i] = Saturate(chunk[i] * 32767.0);
    }
}

void Apply(TFluidSynthEngine& engine, const TTimedSynthInput& input)
{
    switch (input.Kind) {
    case TTimedSynthInput::TKind::Record: engine.Send(input.Record); break;
    case TTimedSynthInput::TKind::NotesOff: engine.Silence(false); break;
    case TTimedSynthInput::TKind::NotesAndPedalOff: engine.Silence(true); break;
    }
}

// One channel of one frame of the clip as a 16-bit value.
double ClipSample(const TWaveClip& clip, size_t frame, int32_t channel)
{
    const size_t at = frame * static_cast<size_t>(clip.FrameSize()) +
                      static_cast<size_t>(std::min(channel, clip.Channels - 1) * clip.BitsPerSample / 8);
    if (clip.BitsPerSample == 8)
        return (static_cast<int>(clip.Samples[at]) - 128) * 256.0;
    return static_cast<int16_t>(clip.Samples[at] | clip.Samples[at + 1] << 8);
}

// A clip's stretch of the output: it starts at Start and is cut at End.
struct TClipPlacement {
    const TWaveClip* Clip;
    size_t Start;
    size_t End;
};

// Adds the part of the placed clip that falls in the piece of the output
// starting at frame `first`, resampled linearly to the output rate.
void MixClip(const TClipPlacement& placed, std::span<int16_t> piece, size_t first)
{
    const TWaveClip& clip = *placed.Clip;
    const size_t clipFrames = clip.FrameCount();
    if (clipFrames == 0 || clip.SampleRate <= 0)
        return;
    const double step = static_cast<double>(clip.SampleRate) / kRate;
    const size_t last = std::min(placed.End, first + piece.size() / kChannels);
    for (size_t frame = std::max(placed.Start, first); frame < last; ++frame) {
        const double position = static_cast<double>(frame - placed.Start) * step;
        const size_t left = static_cast<size_t>(position);
        if (left >= clipFrames)
            return;
        const size_t right = std::min(left + 1, clipFrames - 1);
        const double weight = position - static_cast<double>(left);
        for (int32_t c = 0; c < kChannels; ++c) {
            const double value =
                ClipSample(clip, left, c) * (1.0 - weight) + ClipSample(clip, right, c) * weight;
            int16_t& sample = piece[(frame - first) * kChannels + static_cast<size_t>(c)];
            sample = Saturate(sample + value);
        }
    }
}

size_t FramesOf(const TWaveClip& clip)
{
    return static_cast<size_t>(std::ceil(clip.Seconds() * kRate));
}

class TClipCache {
public:
    TClipCache(const TWaveFolders& folders, std::vector<std::string>& missing)
        : FFolders(folders), FMissing(missing)
    {
    }
    const TWaveClip* Find(const std::string& source)
    {
        auto found = FClips.find(source);
        if (found == FClips.end()) {
            found = FClips.emplace(source, LoadWaveFile(WaveSourcePath(source, FFolders))).first;
            if (!found->second)
                FMissing.push_back(source);
        }
        return found->second ? &*found->second : nullptr;
    }

private:
    const TWaveFolders& FFolders;
    std::vector<std::string>& FMissing;
    std::map<std::string, std::optional<TWaveClip>> FClips;
};

// Where every clip lands, in the order they are mixed: the clips cut by the
// next, then the sentences word after word.
std::vector<TClipPlacement> PlaceClips(const TSoundScript& script, size_t frames, TClipCache& clips)
{
    std::vector<TClipPlacement> placed;
    for (size_t i = 0; i < script.Clips.size(); ++i) {
        const size_t start = FrameAt(script.Clips[i].Microseconds, frames);
        const size_t cut =
            i + 1 < script.Clips.size() ? FrameAt(script.Clips[i + 1].Microseconds, frames) : frames;
        if (const TWaveClip* clip = clips.Find(script.Clips[i].Source))
            placed.push_back({clip, start, cut});
    }
    for (const TTimedSentence& sentence : script.Sentences) {
        size_t start = FrameAt(sentence.Microseconds, frames);
        for (const std::string& word : sentence.Sources)
            if (const TWaveClip* clip = clips.Find(word)) {
                const size_t end = std::min(frames, start + FramesOf(*clip));
                placed.push_back({clip, start, end});
                start = end;
            }
    }
    return placed;
}

} // namespace

size_t RenderedFrames(int64_t lengthMicroseconds)
{
    return FrameAt(lengthMicroseconds, std::numeric_limits<size_t>::max() / kChannels);
}

std::optional<std::vector<std::string>> StreamSoundScript(const TSoundScript& script,
                                                          int64_t lengthMicroseconds,
                                                          const TWaveFolders& folders, const TSoundSink& sink,
                                                          size_t pieceFrames, const std::string& soundFont)
{
    TFluidSynthEngine engine(soundFont);
    if (!engine.IsReady())
        return std::nullopt;
    pieceFrames = std::max<size_t>(pieceFrames, 1);
    const size_t frames = RenderedFrames(lengthMicroseconds);
    std::vector<std::string> missing;
    TClipCache clips(folders, missing);
    const std::vector<TClipPlacement> placed = PlaceClips(script, frames, clips);

    // Each frame gets the synthesiser first, then the clips in order, as
    // saturating sums; pieces only bound the memory held.
    std::vector<int16_t> buffer(pieceFrames * kChannels);
    auto input = script.Synth.begin();
    for (size_t first = 0; first < frames; first += pieceFrames) {
        const size_t count = std::min(pieceFrames, frames - first);
        const std::span<int16_t> piece = std::span(buffer).first(count * kChannels);
        size_t rendered = first;
        for (; input != script.Synth.end() && FrameAt(input->Microseconds, frames) < first + count; ++input) {
            const size_t frame = FrameAt(input->Microseconds, frames);
            RenderSynth(engine,
                        piece.subspan((rendered - first) * kChannels, (frame - rendered) * kChannels));
            rendered = frame;
            Apply(engine, *input);
        }
        RenderSynth(engine, piece.subspan((rendered - first) * kChannels));
        for (const TClipPlacement& clip : placed)
            if (clip.Start < first + count && clip.End > first)
                MixClip(clip, piece, first);
        sink(piece);
    }
    return missing;
}

std::string WaveHeader16(uint64_t dataBytes, int32_t channels, int32_t sampleRate)
{
    if (dataBytes > std::numeric_limits<uint32_t>::max() - 36)
        return {};
    std::string bytes;
    const auto text = [&](const char* four) { bytes.append(four, 4); };
    const auto le = [&](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    };
    text("RIFF");
    le(static_cast<uint32_t>(36 + dataBytes), 4);
    text("WAVE");
    text("fmt ");
    le(16, 4);
    le(1, 2); // PCM
    le(static_cast<uint32_t>(channels), 2);
    le(static_cast<uint32_t>(sampleRate), 4);
    le(static_cast<uint32_t>(sampleRate * channels * 2), 4);
    le(static_cast<uint32_t>(channels * 2), 2);
    le(16, 2);
    text("data");
    le(static_cast<uint32_t>(dataBytes), 4);
    return bytes;
}

void AppendSamples16(std::string& bytes, std::span<const int16_t> samples)
{
    for (const int16_t sample : samples) {
        const auto value = static_cast<uint16_t>(sample);
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>(value >> 8));
    }
}

} // namespace kelto
