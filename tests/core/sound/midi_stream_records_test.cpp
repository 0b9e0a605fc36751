#include "core/sound/midi_stream_records.h"

#include <gtest/gtest.h>

#include <string>

namespace kelto {
namespace {

using K = TMidiEventKind;

struct TMessage {
    uint32_t Delta;
    uint8_t Status;
    uint8_t Data1;
    uint8_t Data2;
    bool operator==(const TMessage&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TMessage& m)
{
    return out << "{" << m.Delta << ", " << std::hex << int(m.Status) << " " << int(m.Data1) << " "
               << int(m.Data2) << std::dec << "}";
}

std::vector<TMessage> Messages(const std::vector<uint8_t>& bytes, size_t first = 0)
{
    std::vector<TMessage> messages;
    for (size_t i = first; i < StreamRecordCount(bytes); ++i) {
        const TStreamRecord r = StreamRecordAt(bytes, i);
        messages.push_back({r.Delta, r.Status(), r.Data1(), r.Data2()});
    }
    return messages;
}

// The records after the set-up block.
std::vector<TMessage> EventMessages(const TMidiEventList& events, const TMidiControls& controls,
                                    bool glideAllowed = false)
{
    return Messages(EncodeStreamRecords(events, controls, glideAllowed), kSetupRecordCount);
}

TEST(StreamRecords, SetupBlockCarriesTheControllerSettings)
{
    TMidiControls controls;
    controls.Channel = 5;
    controls.Pan = -50;
    controls.Volume = 50;
    controls.Modulation = 99;
    controls.Sustain = true;
    controls.Reverb = 50;
    controls.Chorus = 10;
    const std::vector<uint8_t> bytes = EncodeStreamRecords({}, controls, false);
    const std::vector<TMessage> expected = {
        {0, 0xB5, 121, 0},   {0, 0xB9, 121, 0},   {0, 0xB5, 100, 0},  {0, 0xB5, 101, 0}, {0, 0xB5, 6, 12},
        {0, 0xB5, 100, 127}, {0, 0xB5, 101, 127}, {0, 0xB5, 10, 33},  {0, 0xB9, 10, 33}, {0, 0xB5, 1, 125},
        {0, 0xB5, 7, 63},    {0, 0xB9, 7, 63},    {0, 0xB5, 64, 127}, {0, 0xB5, 91, 63}, {0, 0xB5, 93, 12},
    };
    EXPECT_EQ(Messages(bytes), expected);
    for (int32_t i = 0; i < kSetupRecordCount; ++i)
        EXPECT_EQ(StreamRecordAt(bytes, i).WantsPositionNotification(), i == 0) << "record " << i;
}

TEST(StreamRecords, PanAndVolumeScaleTowardZero)
{
    const struct {
        int32_t Pan, Volume, PanValue, VolumeValue;
    } cases[] = {
        {-100, 50, 1, 63}, {100, 100, 127, 127}, {0, 0, 64, 0}, {33, 1, 84, 1}, {-1, 99, 64, 125},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("pan " + std::to_string(c.Pan) + " volume " + std::to_string(c.Volume));
        TMidiControls controls;
        controls.Pan = c.Pan;
        controls.Volume = c.Volume;
        const std::vector<uint8_t> bytes = EncodeStreamRecords({}, controls, false);
        EXPECT_EQ(StreamRecordAt(bytes, 7).Data2(), c.PanValue);
        EXPECT_EQ(StreamRecordAt(bytes, 8).Data2(), c.PanValue);
        EXPECT_EQ(StreamRecordAt(bytes, 10).Data2(), c.VolumeValue);
        EXPECT_EQ(StreamRecordAt(bytes, 11).Data2(), c.VolumeValue);
    }
}

TEST(StreamRecords, EventsFollowWithDeltasAndAnOpeningProgramChange)
{
    TMidiControls controls;
    controls.Channel = 2;
    controls.Instrument = 24;
    EXPECT_EQ(EventMessages({{0, K::NoteOn, 48, 2},
                             {48, K::NoteOff, 48, 2},
                             {48, K::NoteOn, 140, 2},
                             {144, K::NoteOff, 140, 2}},
                            controls),
              (std::vector<TMessage>{{0, 0xC2, 24, 0},
                                     {0, 0x92, 48, 127},
                                     {48, 0x92, 48, 0},
                                     {0, 0x92, 127, 127},
                                     {96, 0x92, 127, 0}}));
    // A list that opens with a program change gets no second one; programs
    // past 127 are sent as 127.
    EXPECT_EQ(EventMessages({{0, K::ProgramChange, 174, 9}, {5, K::ProgramChange, 40, 2}}, controls),
              (std::vector<TMessage>{{0, 0xC9, 127, 0}, {5, 0xC2, 40, 0}}));
    controls.Instrument = 130;
    EXPECT_EQ(EventMessages({{3, K::NoteOn, 60, 2}}, controls),
              (std::vector<TMessage>{{0, 0xC2, 127, 0}, {3, 0x92, 60, 127}}));
}

TEST(StreamRecords, DrumInstrumentsOnAMelodicChannelBecomeDrumKeys)
{
    const struct {
        int32_t Channel, Value, Key;
    } cases[] = {
        {0, 128, 35}, {0, 174, 81}, {0, 127, 35}, {0, 250, 81}, {0, 131, 38}, {9, 38, 38}, {9, 131, 127},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("channel " + std::to_string(c.Channel) + " value " + std::to_string(c.Value));
        TMidiControls controls;
        controls.Channel = c.Channel;
        const std::vector<TMessage> messages =
            EventMessages({{0, K::NoteOn, c.Value, 9}, {10, K::NoteOff, c.Value, 9}}, controls);
        ASSERT_EQ(messages.size(), 3u);
        EXPECT_EQ(messages[1], (TMessage{0, 0x99, static_cast<uint8_t>(c.Key), 127}));
        EXPECT_EQ(messages[2], (TMessage{10, 0x99, static_cast<uint8_t>(c.Key), 0}));
    }
}

TEST(StreamRecords, PitchBendGlidesBeforeTheFirstNoteOff)
{
    const TMidiEventList chord = {
        {0, K::NoteOn, 48, 3}, {0, K::NoteOn, 52, 3}, {10, K::NoteOff, 48, 3}, {10, K::NoteOff, 52, 3}};
    const auto bends = [](uint32_t firstDelta, int32_t count, int32_t step) {
        std::vector<TMessage> messages;
        for (int32_t i = 1; i <= count; ++i) {
            const int32_t value = 8192 + i * step;
            messages.push_back({i == 1 ? firstDelta : 1, 0xE3, static_cast<uint8_t>(value & 0x7F),
                                static_cast<uint8_t>(value >> 7)});
        }
        return messages;
    };
    const struct {
        int32_t PitchBend, PBDelay, PBDuration;
        std::vector<TMessage> Glide;
    } cases[] = {
        {120, 0, 100, bends(1, 10, 819)},
        {120, 50, 100, bends(6, 5, 1638)},
        {-60, 0, 100, bends(1, 10, -409)},
        {30, 20, 50, bends(3, 4, 511)},
        {0, 0, 100, {}},
        {120, 100, 100, {}},
        {120, 0, 0, {}},
        {120, 95, 10, {}}, // too short for one step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("bend " + std::to_string(c.PitchBend) + " delay " + std::to_string(c.PBDelay) +
                     " duration " + std::to_string(c.PBDuration));
        TMidiControls controls;
        controls.Channel = 3;
        controls.PitchBend = c.PitchBend;
        controls.PBDelay = c.PBDelay;
        controls.PBDuration = c.PBDuration;
        std::vector<TMessage> expected = {{0, 0xC3, 0, 0}, {0, 0x93, 48, 127}, {0, 0x93, 52, 127}};
        expected.insert(expected.end(), c.Glide.begin(), c.Glide.end());
        // The note off keeps its own delta after the glide.
        expected.push_back({10, 0x93, 48, 0});
        expected.push_back({0, 0x93, 52, 0});
        EXPECT_EQ(EventMessages(chord, controls, true), expected);
        EXPECT_EQ(EventMessages(chord, controls, false).size(), 5u);
    }
}

TEST(StreamRecords, GlideNeedsNoMoreThan8191Steps)
{
    TMidiControls controls;
    controls.PitchBend = 120;
    const std::vector<TMessage> longest =
        EventMessages({{0, K::NoteOn, 48, 0}, {8191, K::NoteOff, 48, 0}}, controls, true);
    // 8191 one-unit steps, as many as fit in the buffer.
    ASSERT_EQ(longest.size(), 5461u - kSetupRecordCount);
    EXPECT_EQ(longest[2], (TMessage{1, 0xE0, 1, 64}));
    EXPECT_EQ(longest.back(), (TMessage{1, 0xE0, (8192 + 5444) & 0x7F, (8192 + 5444) >> 7}));
    EXPECT_EQ(EventMessages({{0, K::NoteOn, 48, 0}, {8192, K::NoteOff, 48, 0}}, controls, true).size(), 3u);
}

TEST(StreamRecords, BufferStaysBelow65536Bytes)
{
    TMidiEventList events;
    for (int32_t i = 0; i < 3000; ++i) {
        events.push_back({i * 2, K::NoteOn, 60, 0});
        events.push_back({i * 2 + 1, K::NoteOff, 60, 0});
    }
    const std::vector<uint8_t> bytes = EncodeStreamRecords(events, {}, false);
    // 5461 records of 12 bytes; the 5462nd would reach 65544.
    EXPECT_EQ(bytes.size(), 65532u);
    // Set-up block, program change, then events 0 .. 5444: the last kept is note on 2722.
    const TStreamRecord last = StreamRecordAt(bytes, 5460);
    EXPECT_EQ(last.Status(), 0x90);
    EXPECT_EQ(last.Data2(), 127);
    EXPECT_EQ(StreamRecordAt(bytes, 5461), TStreamRecord{});
}

TEST(StreamRecords, LateEventsGetWideDeltas)
{
    const std::vector<TMessage> messages =
        EventMessages({{0, K::NoteOn, 48, 0}, {5000000000LL, K::NoteOff, 48, 0}}, {});
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].Delta, 0xFFFFFFFFu);
}

} // namespace
} // namespace kelto
