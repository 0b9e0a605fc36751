#include "core/sound/midi_note_string.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace kelto {

namespace {

struct TNoteName {
    std::string_view Name;
    int32_t Semitone;
};

constexpr std::array<TNoteName, 22> kNoteNames = {{
    {"C", 0},  {"C+", 1}, {"C#", 1},  {"D-", 1},  {"D", 2},   {"D+", 3}, {"D#", 3}, {"E-", 3},
    {"E", 4},  {"F", 5},  {"F+", 6},  {"F#", 6},  {"G-", 6},  {"G", 7},  {"G+", 8}, {"G#", 8},
    {"A-", 8}, {"A", 9},  {"A+", 10}, {"A#", 10}, {"B-", 10}, {"B", 11},
}};

constexpr int32_t kMaxOctave = 10;
constexpr int32_t kMaxInstrument = mgOpenTriangle;
constexpr int32_t kMaxKey = 127;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Unsigned decimal digits within int32; anything else is not a number.
std::optional<int32_t> ParseNumber(std::string_view text)
{
    int32_t value = 0;
    if (text.empty() || !IsDigit(text.front()))
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<int32_t> ParseInRange(std::string_view text, int32_t low, int32_t high)
{
    const std::optional<int32_t> value = ParseNumber(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

std::optional<int32_t> SemitoneOf(std::string_view name)
{
    for (const TNoteName& entry : kNoteNames)
        if (entry.Name == name)
            return entry.Semitone;
    return std::nullopt;
}

struct TNoteField {
    enum class TKind : uint8_t { Invalid, Instrument, Key };
    TKind Kind = TKind::Invalid;
    int32_t Value = 0;
};

class TNoteStringReader {
public:
    explicit TNoteStringReader(const TMidiVoice& voice)
        : FVoice(voice), FOctave(voice.Octave), FChannel(SoundingChannel(voice.Channel, voice.Instrument)),
          FDrumInstrument(voice.Instrument)
    {
    }

    void ReadItem(std::string item);
    TNoteStringEvents Finish();

private:
    void Complete(std::string& item);
    TNoteField ReadNoteField(std::string_view field);
    void AddKey(int32_t key);
    void AddInstrumentChange(int32_t instrument);
    void NoteChord(int32_t delta, int32_t duration);

    const TMidiVoice& FVoice;
    int64_t FTime = 0;
    int32_t FLastDelta = 0;
    std::optional<int32_t> FLastDuration;
    int32_t FOctave;
    int32_t FChannel;
    int32_t FDrumInstrument;
    TMidiEventList FEvents;
    bool FChord = true;
    std::optional<int32_t> FChordDuration;
};

void TNoteStringReader::Complete(std::string& item)
{
    if (!IsDigit(item.front()) && item.front() != ';')
        item.insert(0, ";");
    if (item.front() == ';')
        item.insert(0, std::to_string(FLastDelta));
    if (std::count(item.begin(), item.end(), ';') == 1)
        item += ';';
    if (item.back() == ';') {
        if (!FLastDuration)
            FLastDuration = FVoice.Duration;
        item += std::to_string(*FLastDuration);
    }
}

TNoteField TNoteStringReader::ReadNoteField(std::string_view field)
{
    using TKind = TNoteField::TKind;
    if (!field.empty() && (field.front() == 'I' || field.front() == 'N')) {
        const bool instrument = field.front() == 'I';
        const std::optional<int32_t> value =
            ParseInRange(field.substr(1), 0, instrument ? kMaxInstrument : kMaxKey);
        if (!value)
            return {};
        return {instrument ? TKind::Instrument : TKind::Key, *value};
    }
    std::string note(field);
    if (note.empty() || !IsDigit(note.back()))
        note += std::to_string(FOctave);
    const size_t nameLength = note.size() > 1 && IsDigit(note[1]) ? 1 : 2;
    if (note.size() <= nameLength)
        return {};
    const std::string_view text(note);
    const std::optional<int32_t> semitone = SemitoneOf(text.substr(0, nameLength));
    const std::optional<int32_t> octave = ParseInRange(text.substr(nameLength), 0, kMaxOctave);
    if (!semitone || !octave)
        return {};
    FOctave = *octave;
    return {TKind::Key, *octave * 12 + *semitone};
}

void TNoteStringReader::AddKey(int32_t key)
{
    const bool drumOnMelodicChannel = FChannel == kPercussionChannel && FVoice.Channel != kPercussionChannel;
    const int32_t value = drumOnMelodicChannel ? FDrumInstrument : key;
    // A first item of length 0 has no earlier length to borrow: the note is
    // then as long as asked, silent.
    const int64_t length = std::max(FLastDuration.value_or(0), 0);
    FEvents.push_back({FTime, TMidiEventKind::NoteOn, value, FChannel});
    FEvents.push_back({FTime + length, TMidiEventKind::NoteOff, value, FChannel});
}

void TNoteStringReader::AddInstrumentChange(int32_t instrument)
{
    if (FVoice.Channel == kPercussionChannel)
        return;
    if (instrument < mgAcousticBassDrum) {
        FChannel = FVoice.Channel;
    } else {
        FChannel = kPercussionChannel;
        FDrumInstrument = instrument;
    }
    FEvents.push_back({FTime, TMidiEventKind::ProgramChange, instrument, FChannel});
}

void TNoteStringReader::NoteChord(int32_t delta, int32_t duration)
{
    if (!FChordDuration)
        FChordDuration = duration;
    FChord = FChord && delta == 0 && duration == *FChordDuration;
}

void TNoteStringReader::ReadItem(std::string item)
{
    Complete(item);
    const size_t first = item.find(';');
    const size_t second = first == std::string::npos ? first : item.find(';', first + 1);
    if (second == std::string::npos)
        return;
    const std::string_view text(item);
    const std::optional<int32_t> delta = ParseNumber(text.substr(0, first));
    if (delta)
        FLastDelta = *delta;
    const TNoteField note = ReadNoteField(text.substr(first + 1, second - first - 1));
    const std::optional<int32_t> duration = ParseNumber(text.substr(second + 1));
    if (duration && *duration > 0)
        FLastDuration = *duration;
    if (!duration || !delta || note.Kind == TNoteField::TKind::Invalid)
        return;
    FTime += *delta;
    NoteChord(*delta, *duration);
    if (note.Kind == TNoteField::TKind::Key)
        AddKey(note.Value);
    else
        AddInstrumentChange(note.Value);
}

TNoteStringEvents TNoteStringReader::Finish()
{
    SortMidiEvents(FEvents);
    return {std::move(FEvents), FChord && FChordDuration.has_value()};
}

} // namespace

std::string NormalizeNoteString(std::string_view text)
{
    std::string normal;
    normal.reserve(text.size());
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ')
            continue;
        normal += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return normal;
}

TNoteStringEvents ParseNoteString(std::string_view text, const TMidiVoice& voice)
{
    const std::string normal = NormalizeNoteString(text);
    TNoteStringReader reader(voice);
    size_t start = 0;
    while (start <= normal.size()) {
        size_t end = normal.find(',', start);
        if (end == std::string::npos)
            end = normal.size();
        if (end > start)
            reader.ReadItem(normal.substr(start, end - start));
        start = end + 1;
    }
    return reader.Finish();
}

} // namespace kelto
