#include "core/sound/midi_note_string.h"
#include "core/sound/midi_stream_records.h"

#include <gtest/gtest.h>

#include <random>

namespace kelto {
namespace {

using K = TMidiEventKind;

TMidiEvent On(int64_t time, int32_t key, int32_t channel = 0)
{
    return {time, K::NoteOn, key, channel};
}
TMidiEvent Off(int64_t time, int32_t key, int32_t channel = 0)
{
    return {time, K::NoteOff, key, channel};
}
TMidiEvent Program(int64_t time, int32_t program, int32_t channel = 0)
{
    return {time, K::ProgramChange, program, channel};
}

struct TParseCase {
    const char* Text;
    TMidiVoice Voice;
    TMidiEventList Events;
    bool Chord;
};

TEST(NoteString, ItemsBecomeSortedEventLists)
{
    const TMidiVoice piano{};
    TMidiVoice octave5{};
    octave5.Octave = 5;
    const TParseCase cases[] = {
        {"C4;48", piano, {On(0, 48), Off(48, 48)}, true},
        {"E;10", octave5, {On(0, 64), Off(10, 64)}, true},
        {"0;C4;10,0;E4;10,0;G4;10",
         piano,
         {On(0, 48), On(0, 52), On(0, 55), Off(10, 48), Off(10, 52), Off(10, 55)},
         true},
        {"C4;10,10;I40;0,0;C4;10",
         piano,
         {On(0, 48), Program(10, 40), Off(10, 48), On(10, 48), Off(20, 48)},
         false},
        {"C4;48,48;E4;96", piano, {On(0, 48), Off(48, 48), On(48, 52), Off(144, 52)}, false},
        {"C9;10", piano, {On(0, 108), Off(10, 108)}, true},
        {"C11;10", piano, {}, true},
        {"B10;5", piano, {On(0, 131), Off(5, 131)}, true},
        {"N60;10,10;N127;10,10;N128;10", piano, {On(0, 60), Off(10, 60), On(10, 127), Off(20, 127)}, false},
        {"I174;5,I175;5", piano, {Program(0, 174, 9)}, true},
        // Lower case, blanks and empty items are all forgiven.
        {" ,, c 4 ; 4 8 ,\t,", piano, {On(0, 48), Off(48, 48)}, true},
        {"X;Y;Z,;;,;C;Q,48", piano, {}, true},
    };
    for (const TParseCase& c : cases) {
        SCOPED_TRACE(c.Text);
        const TNoteStringEvents parsed = ParseNoteString(c.Text, c.Voice);
        EXPECT_EQ(parsed.Events, c.Events);
        if (!c.Events.empty()) {
            EXPECT_EQ(parsed.Chord, c.Chord);
        }
    }
}

TEST(NoteString, MissingFieldsAreCompletedFromThePreviousItem)
{
    TMidiVoice voice{};
    voice.Duration = 30;
    const TParseCase cases[] = {
        // No delta: the last delta (0 at first); no duration: the last one, else Duration.
        {"C4,D4,E4", voice, {On(0, 48), On(0, 50), On(0, 52), Off(30, 48), Off(30, 50), Off(30, 52)}, true},
        {"C4;10,20;D;,E",
         voice,
         {On(0, 48), Off(10, 48), On(20, 50), Off(30, 50), On(40, 52), Off(50, 52)},
         false},
        // The octave carries over to the items that give none.
        {"C5;10,10;D;10,10;N1;10,10;E;10",
         voice,
         {On(0, 60), Off(10, 60), On(10, 62), Off(20, 62), On(20, 1), Off(30, 1), On(30, 64), Off(40, 64)},
         false},
        // A duration of 0 keeps the last one.
        {"C4;48,48;E4;0", voice, {On(0, 48), Off(48, 48), On(48, 52), Off(96, 52)}, false},
        // ...and a first one has none to keep: the note is empty.
        {"C4;0", voice, {On(0, 48), Off(0, 48)}, true},
        // An invalid item still moves the last delta and duration on.
        {"C4;10,25;Q;40,E", voice, {On(0, 48), Off(10, 48), On(25, 52), Off(65, 52)}, false},
        // A number too big for the counter is not a number.
        {"C4;10,99999999999;D4;10", voice, {On(0, 48), Off(10, 48)}, true},
    };
    for (const TParseCase& c : cases) {
        SCOPED_TRACE(c.Text);
        const TNoteStringEvents parsed = ParseNoteString(c.Text, c.Voice);
        EXPECT_EQ(parsed.Events, c.Events);
        EXPECT_EQ(parsed.Chord, c.Chord);
    }
}

TEST(NoteString, NoteNamesGiveTheirSemitones)
{
    const struct {
        const char* Name;
        int32_t Semitone;
    } names[] = {
        {"C", 0},  {"C+", 1}, {"C#", 1},  {"D-", 1},  {"D", 2},   {"D+", 3}, {"D#", 3}, {"E-", 3},
        {"E", 4},  {"F", 5},  {"F+", 6},  {"F#", 6},  {"G-", 6},  {"G", 7},  {"G+", 8}, {"G#", 8},
        {"A-", 8}, {"A", 9},  {"A+", 10}, {"A#", 10}, {"B-", 10}, {"B", 11},
    };
    for (const auto& name : names) {
        SCOPED_TRACE(name.Name);
        for (const int32_t octave : {0, 3, 10}) {
            const std::string text = std::string(name.Name) + std::to_string(octave) + ";5";
            const TNoteStringEvents parsed = ParseNoteString(text, {});
            ASSERT_EQ(parsed.Events.size(), 2u) << text;
            EXPECT_EQ(parsed.Events[0].Value, octave * 12 + name.Semitone) << text;
        }
    }
    for (const char* unknown : {"H4;5", "E+4;5", "CB4;5", "C-4;5", "C4X;5", "C-1;5", "#;5"}) {
        SCOPED_TRACE(unknown);
        EXPECT_TRUE(ParseNoteString(unknown, {}).Events.empty());
    }
}

TEST(NoteString, PercussionInstrumentsPlayOnTheDrumChannel)
{
    TMidiVoice melodic{};
    melodic.Channel = mgCh03;
    // A drum instrument chosen on a melodic channel: notes carry the instrument, on channel 9.
    EXPECT_EQ(ParseNoteString("C4;10,10;I130;0,0;D4;10,10;I5;0,0;E4;10", melodic).Events,
              (TMidiEventList{On(0, 48, 2), Program(10, 130, 9), Off(10, 48, 2), On(10, 130, 9),
                              Program(20, 5, 2), Off(20, 130, 9), On(20, 52, 2), Off(30, 52, 2)}));

    TMidiVoice drumStart = melodic;
    drumStart.Instrument = 140;
    EXPECT_EQ(ParseNoteString("C4;10", drumStart).Events, (TMidiEventList{On(0, 140, 9), Off(10, 140, 9)}));

    // On the percussion channel itself the key is the drum, and instruments change nothing.
    TMidiVoice drums{};
    drums.Channel = mgCh10;
    EXPECT_EQ(ParseNoteString("N38;10,10;I130;0,0;N42;10", drums).Events,
              (TMidiEventList{On(0, 38, 9), Off(10, 38, 9), On(10, 42, 9), Off(20, 42, 9)}));
}

TEST(NoteString, AnyTextGivesASortedListThatEncodesWithinTheLimit)
{
    std::mt19937 random(7);
    const std::string alphabet = "0123456789;;;,,CDEFGABIN#+-x ";
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        TMidiVoice voice;
        voice.Channel = static_cast<int32_t>(random() % 16);
        voice.Instrument = static_cast<int32_t>(random() % 175);
        voice.Octave = static_cast<int32_t>(random() % 11);
        voice.Duration = static_cast<int32_t>(random() % 200) - 20;
        SCOPED_TRACE(text);
        const TMidiEventList events = ParseNoteString(text, voice).Events;
        for (size_t i = 0; i < events.size(); ++i) {
            EXPECT_GE(events[i].Time, i == 0 ? 0 : events[i - 1].Time);
            EXPECT_GE(events[i].Value, 0);
            EXPECT_LE(events[i].Value, 174);
            EXPECT_TRUE(events[i].Channel == voice.Channel || events[i].Channel == kPercussionChannel);
        }
        TMidiControls controls;
        controls.Channel = voice.Channel;
        controls.PitchBend = 120;
        const std::vector<uint8_t> bytes = EncodeStreamRecords(events, controls, true);
        EXPECT_EQ(bytes.size() % kStreamRecordSize, 0u);
        EXPECT_LT(bytes.size(), kStreamBufferLimit);
    }
}

} // namespace
} // namespace kelto
