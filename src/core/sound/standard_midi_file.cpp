#include "core/sound/standard_midi_file.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kelto {

namespace {

constexpr uint16_t kTicksPerQuarterNote = 500;
constexpr uint32_t kMicrosecondsPerQuarterNote = 500000;
constexpr int64_t kMicrosecondsPerTick = kMicrosecondsPerQuarterNote / kTicksPerQuarterNote;
constexpr uint8_t kControlChange = 0xB0;
constexpr uint8_t kSustainPedal = 64;
constexpr uint8_t kAllNotesOff = 123;

void AppendBigEndian(std::string& out, uint32_t value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// A variable-length quantity: seven bits a byte, most significant first.
void AppendDelta(std::string& out, uint64_t delta)
{
    delta = std::min<uint64_t>(delta, 0x0FFFFFFF);
    uint8_t bytes[4];
    int count = 0;
    do {
        bytes[count++] = static_cast<uint8_t>(delta & 0x7F);
        delta >>= 7;
    } while (delta > 0);
    while (count > 0) {
        --count;
        out += static_cast<char>(bytes[count] | (count > 0 ? 0x80 : 0));
    }
}

class TTrackWriter {
public:
    // Times never run backwards: an earlier time is taken as the last one.
    void Event(int64_t microseconds, std::initializer_list<uint8_t> bytes)
    {
        const uint64_t tick = std::max(
            FTick, static_cast<uint64_t>(std::max<int64_t>(0, microseconds + kMicrosecondsPerTick / 2) /
                                         kMicrosecondsPerTick));
        AppendDelta(FData, tick - FTick);
        FTick = tick;
        for (uint8_t byte : bytes)
            FData += static_cast<char>(byte);
    }

    void Message(int64_t microseconds, const TStreamRecord& record)
    {
        const uint8_t status = record.Status();
        if (status < 0x80 || status >= 0xF0)
            return;
        FUsed[status & 0x0F] = true;
        FNotesMaySound = FPedalMayBeDown = true;
        const uint8_t kind = status & 0xF0;
        if (kind == 0xC0 || kind == 0xD0)
            Event(microseconds, {status, record.Data1()});
        else
            Event(microseconds, {status, record.Data1(), record.Data2()});
    }

    // A tune's end silences the device several times over; only what may
    // still sound is silenced.
    void Silence(int64_t microseconds, bool releasePedal)
    {
        releasePedal = releasePedal && FPedalMayBeDown;
        for (uint8_t channel = 0; channel < FUsed.size(); ++channel) {
            if (!FUsed[channel])
                continue;
            const auto control = static_cast<uint8_t>(kControlChange | channel);
            if (releasePedal)
                Event(microseconds, {control, kSustainPedal, 0});
            if (FNotesMaySound)
                Event(microseconds, {control, kAllNotesOff, 0});
        }
        FNotesMaySound = false;
        FPedalMayBeDown = FPedalMayBeDown && !releasePedal;
    }

    const std::string& Data() const { return FData; }

private:
    std::string FData;
    uint64_t FTick = 0;
    std::array<bool, 16> FUsed{};
    bool FNotesMaySound = false;
    bool FPedalMayBeDown = false;
};

} // namespace

std::string StandardMidiFile(std::span<const TTimedSynthInput> synth)
{
    TTrackWriter track;
    track.Event(0, {0xFF, 0x51, 0x03, static_cast<uint8_t>(kMicrosecondsPerQuarterNote >> 16),
                    static_cast<uint8_t>(kMicrosecondsPerQuarterNote >> 8),
                    static_cast<uint8_t>(kMicrosecondsPerQuarterNote)});
    for (const TTimedSynthInput& input : synth) {
        switch (input.Kind) {
        case TTimedSynthInput::TKind::Record: track.Message(input.Microseconds, input.Record); break;
        case TTimedSynthInput::TKind::NotesOff: track.Silence(input.Microseconds, false); break;
        case TTimedSynthInput::TKind::NotesAndPedalOff: track.Silence(input.Microseconds, true); break;
        }
    }
    track.Event(0, {0xFF, 0x2F, 0x00}); // at the last event

    std::string file = "MThd";
    AppendBigEndian(file, 6, 4);
    AppendBigEndian(file, 0, 2); // format 0
    AppendBigEndian(file, 1, 2); // one track
    AppendBigEndian(file, kTicksPerQuarterNote, 2);
    file += "MTrk";
    AppendBigEndian(file, static_cast<uint32_t>(track.Data().size()), 4);
    return file + track.Data();
}

} // namespace kelto
