// Note strings: comma-separated items "delta;note;duration" with their
// completion rules, read into a sorted event list.
#pragma once

#include "core/sound/midi_event_list.h"

#include <string>
#include <string_view>

namespace kelto {

struct TNoteStringEvents {
    TMidiEventList Events; // sorted
    // Every item starts with the previous one and all last equally long: the
    // only case that gets the pitch-bend glide.
    bool Chord = false;
};

// Trimmed, upper-cased, without blanks: the form the items are read from.
std::string NormalizeNoteString(std::string_view text);

TNoteStringEvents ParseNoteString(std::string_view text, const TMidiVoice& voice);

} // namespace kelto
