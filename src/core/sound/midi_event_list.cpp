#include "core/sound/midi_event_list.h"

#include <algorithm>

namespace kelto {

void SortMidiEvents(TMidiEventList& events)
{
    std::stable_sort(events.begin(), events.end(), [](const TMidiEvent& a, const TMidiEvent& b) {
        if (a.Time != b.Time)
            return a.Time < b.Time;
        return a.Kind == TMidiEventKind::ProgramChange && b.Kind != TMidiEventKind::ProgramChange;
    });
}

int32_t SoundingChannel(int32_t channel, int32_t instrument)
{
    return channel == kPercussionChannel || instrument >= mgAcousticBassDrum ? kPercussionChannel : channel;
}

TMidiEventList NoteEvents(int32_t key, const TMidiVoice& voice)
{
    TMidiEventList events;
    const int32_t noteChannel = SoundingChannel(voice.Channel, voice.Instrument);
    if (voice.Channel != kPercussionChannel)
        events.push_back({0, TMidiEventKind::ProgramChange, voice.Instrument, noteChannel});
    const bool drumOnMelodicChannel =
        noteChannel == kPercussionChannel && voice.Channel != kPercussionChannel;
    const int32_t value = drumOnMelodicChannel ? voice.Instrument : std::clamp(key, 0, 127);
    // A negative length would put the note off before the note on and stall
    // the stream for an unsigned wrap-around delta.
    const int64_t offTime = std::max(voice.Duration, 0);
    events.push_back({0, TMidiEventKind::NoteOn, value, noteChannel});
    events.push_back({offTime, TMidiEventKind::NoteOff, value, noteChannel});
    SortMidiEvents(events);
    return events;
}

} // namespace kelto
