#include "core/sound/midi_stream_records.h"

#include <algorithm>
#include <limits>

namespace kelto {

namespace {

constexpr uint8_t kControlChange = 0xB0;
constexpr uint8_t kProgramChange = 0xC0;
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kPitchBend = 0xE0;
constexpr uint8_t kFullVelocity = 127;
constexpr int32_t kBendCentre = 8192;
constexpr int32_t kBendSpan = 8191;
constexpr int32_t kLowestDrumKey = 35;
constexpr int32_t kHighestDrumKey = 81;

void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetLittleEndian(std::span<const uint8_t> bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint8_t DataByte(int32_t value)
{
    return static_cast<uint8_t>(std::clamp(value, 0, 127));
}

uint8_t StatusByte(uint8_t kind, int32_t channel)
{
    return static_cast<uint8_t>(kind | (channel & 0x0F));
}

class TRecordEncoder {
public:
    explicit TRecordEncoder(const TMidiControls& controls) : FControls(controls) {}

    void AddSetupBlock();
    void AddEvents(const TMidiEventList& events, bool glideAllowed);
    std::vector<uint8_t> Release() { return FBuffer.Release(); }

private:
    void AddController(int32_t channel, uint8_t controller, int32_t value, uint32_t flags = 0);
    void AddEvent(uint32_t delta, const TMidiEvent& event);
    void AddGlide(int64_t noteOffDelta, int32_t channel);
    bool GlideWanted() const;

    const TMidiControls& FControls;
    TMidiStreamBuffer FBuffer;
};

void TRecordEncoder::AddController(int32_t channel, uint8_t controller, int32_t value, uint32_t flags)
{
    FBuffer.AddShortMessage(0, StatusByte(kControlChange, channel), controller, DataByte(value), flags);
}

void TRecordEncoder::AddSetupBlock()
{
    const int32_t c = FControls.Channel;
    const int32_t drums = kPercussionChannel;
    const int32_t pan = FControls.Pan * 63 / 100 + 64;
    const int32_t volume = FControls.Volume * 127 / 100;
    AddController(c, 121, 0, kPositionNotificationFlag);
    AddController(drums, 121, 0);
    AddController(c, 100, 0);
    AddController(c, 101, 0);
    AddController(c, 6, 12);
    AddController(c, 100, 127);
    AddController(c, 101, 127);
    AddController(c, 10, pan);
    AddController(drums, 10, pan);
    AddController(c, 1, FControls.Modulation * 127 / 100);
    AddController(c, 7, volume);
    AddController(drums, 7, volume);
    AddController(c, 64, FControls.Sustain ? 127 : 0);
    AddController(c, 91, FControls.Reverb * 127 / 100);
    AddController(c, 93, FControls.Chorus * 127 / 100);
}

void TRecordEncoder::AddEvent(uint32_t delta, const TMidiEvent& event)
{
    if (event.Kind == TMidiEventKind::ProgramChange) {
        FBuffer.AddShortMessage(delta, StatusByte(kProgramChange, event.Channel), DataByte(event.Value), 0);
        return;
    }
    const bool drumOnMelodicChannel =
        event.Channel == kPercussionChannel && FControls.Channel != kPercussionChannel;
    const int32_t key = drumOnMelodicChannel
                            ? std::clamp(event.Value - kDrumInstrumentOffset, kLowestDrumKey, kHighestDrumKey)
                            : event.Value;
    const uint8_t velocity = event.Kind == TMidiEventKind::NoteOn ? kFullVelocity : 0;
    FBuffer.AddShortMessage(delta, StatusByte(kNoteOn, event.Channel), DataByte(key), velocity);
}

bool TRecordEncoder::GlideWanted() const
{
    return FControls.PitchBend != 0 && FControls.PBDuration != 0 && FControls.PBDelay != 100;
}

void TRecordEncoder::AddGlide(int64_t noteOffDelta, int32_t channel)
{
    const int64_t start = noteOffDelta * FControls.PBDelay / 100;
    const int64_t steps = FControls.PBDuration * (noteOffDelta - start) / 100;
    if (steps < 1 || steps > kBendSpan)
        return;
    const int64_t step = FControls.PitchBend * kBendSpan / 120 / steps;
    const uint8_t status = StatusByte(kPitchBend, channel);
    for (int64_t i = 1; i <= steps; ++i) {
        const int64_t bend = kBendCentre + i * step;
        const uint32_t delta = i == 1 ? static_cast<uint32_t>(start + 1) : 1;
        FBuffer.AddShortMessage(delta, status, static_cast<uint8_t>(bend & 0x7F),
                                static_cast<uint8_t>((bend >> 7) & 0x7F));
    }
}

void TRecordEncoder::AddEvents(const TMidiEventList& events, bool glideAllowed)
{
    if (!events.empty() && events.front().Kind != TMidiEventKind::ProgramChange)
        AddEvent(0, {0, TMidiEventKind::ProgramChange, FControls.Instrument, FControls.Channel});
    bool glidePending = glideAllowed && GlideWanted();
    int64_t previousTime = 0;
    for (const TMidiEvent& event : events) {
        const int64_t delta =
            std::clamp<int64_t>(event.Time - previousTime, 0, std::numeric_limits<uint32_t>::max());
        previousTime = event.Time;
        if (glidePending && event.Kind == TMidiEventKind::NoteOff) {
            glidePending = false;
            AddGlide(delta, event.Channel);
        }
        AddEvent(static_cast<uint32_t>(delta), event);
    }
}

} // namespace

void TMidiStreamBuffer::AddShortMessage(uint32_t delta, uint8_t status, uint8_t data1, uint8_t data2,
                                        uint32_t flags)
{
    if (FBytes.size() + kStreamRecordSize >= kStreamBufferLimit)
        return;
    PutLittleEndian(FBytes, delta);
    PutLittleEndian(FBytes, 0);
    PutLittleEndian(FBytes,
                    status | static_cast<uint32_t>(data1) << 8 | static_cast<uint32_t>(data2) << 16 | flags);
}

size_t StreamRecordCount(std::span<const uint8_t> bytes)
{
    return bytes.size() / kStreamRecordSize;
}

TStreamRecord StreamRecordAt(std::span<const uint8_t> bytes, size_t index)
{
    if (index >= StreamRecordCount(bytes))
        return {};
    const std::span<const uint8_t> record = bytes.subspan(index * kStreamRecordSize, kStreamRecordSize);
    return {GetLittleEndian(record.first(4)), GetLittleEndian(record.subspan(8, 4))};
}

std::vector<uint8_t> EncodeStreamRecords(const TMidiEventList& events, const TMidiControls& controls,
                                         bool glideAllowed)
{
    TRecordEncoder encoder(controls);
    encoder.AddSetupBlock();
    encoder.AddEvents(events, glideAllowed);
    return encoder.Release();
}

} // namespace kelto
