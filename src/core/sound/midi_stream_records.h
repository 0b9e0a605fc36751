// The 12-byte stream records a MIDI stream device plays: delta ticks, stream
// id 0 and one short message with flag bits, all little-endian.
#pragma once

#include "core/sound/midi_event_list.h"
#include "core/sound/midi_gen_types.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kelto {

constexpr size_t kStreamRecordSize = 12;
// A buffer stays below this size; a record that would reach it is dropped.
constexpr size_t kStreamBufferLimit = 65536;
constexpr uint32_t kPositionNotificationFlag = 0x40000000;
constexpr int32_t kSetupRecordCount = 15;

struct TStreamRecord {
    uint32_t Delta = 0;
    uint32_t Event = 0;

    uint8_t Status() const { return static_cast<uint8_t>(Event & 0xFF); }
    uint8_t Data1() const { return static_cast<uint8_t>((Event >> 8) & 0x7F); }
    uint8_t Data2() const { return static_cast<uint8_t>((Event >> 16) & 0x7F); }
    bool WantsPositionNotification() const { return (Event & kPositionNotificationFlag) != 0; }
    bool operator==(const TStreamRecord&) const = default;
};

class TMidiStreamBuffer {
public:
    void AddShortMessage(uint32_t delta, uint8_t status, uint8_t data1, uint8_t data2, uint32_t flags = 0);
    std::span<const uint8_t> Bytes() const { return FBytes; }
    std::vector<uint8_t> Release() { return std::move(FBytes); }

private:
    std::vector<uint8_t> FBytes;
};

size_t StreamRecordCount(std::span<const uint8_t> bytes);
// The record at `index`; a zero record past the end.
TStreamRecord StreamRecordAt(std::span<const uint8_t> bytes, size_t index);

// The set-up block, then the sorted events; the pitch-bend glide goes before
// the first note off when allowed and asked for by the controls.
std::vector<uint8_t> EncodeStreamRecords(const TMidiEventList& events, const TMidiControls& controls,
                                         bool glideAllowed);

} // namespace kelto
