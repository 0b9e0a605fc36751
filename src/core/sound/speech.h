// Which recording a voice clip number names, and the order of the words of
// the spoken clock. Pure: playing them is the wave player's job.
#pragma once

#include "core/sound/sound_interfaces.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelto {

// "M_05WAV" for 5, "F_05WAV" for 105, "WAV/305.WAV" for 305 when the player
// finds that file; empty when the number names no clip.
std::string VoiceClipSource(int32_t clip, const IWavePlayer& player);
// Starts the clip, replacing any sounding one; returns its source, empty
// when nothing was played.
std::string PlayVoiceClip(int32_t clip, IWavePlayer& player);

// The resource of a clock word: "BS_XZWAV", "BS_5WAV".
std::string ClockWordSource(std::string_view word);
// Says the time word by word; the clock is read after the opening word.
void SpeakTime(const ILocalClock& clock, const std::function<void(std::string_view word)>& say);
std::vector<std::string> ClockWordsAt(TLocalTime time);

} // namespace kelto
