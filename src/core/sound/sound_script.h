// What a run sounded like in simulated time: the synthesiser's inputs as the
// stream device played them, the voice clips and the spoken clock's
// sentences as they started. An offline renderer turns it into samples.
#pragma once

#include "core/sound/midi_stream_records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelto {

struct TTimedSynthInput {
    enum class TKind : uint8_t { Record, NotesOff, NotesAndPedalOff };
    int64_t Microseconds = 0;
    TKind Kind = TKind::Record;
    TStreamRecord Record; // for Record
};

// A clip started asynchronously cuts off the one sounding before it.
struct TTimedClip {
    int64_t Microseconds = 0;
    std::string Source;
};

// The words follow each other, each as long as its recording.
struct TTimedSentence {
    int64_t Microseconds = 0;
    std::vector<std::string> Sources;
};

struct TSoundScript {
    std::vector<TTimedSynthInput> Synth;
    std::vector<TTimedClip> Clips;
    std::vector<TTimedSentence> Sentences;
};

} // namespace kelto
