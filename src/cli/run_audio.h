// --audio: the run's sound as a wave file. Only a build with the audio
// back ends can render it; the others say so before the run.
#pragma once

#include "core/files/file_result.h"
#include "core/sound/sound_script.h"

#include <optional>
#include <string>
#include <vector>

namespace kelto::cli {

// Why --audio cannot be had for a run of this many seconds; nothing when it can.
std::optional<std::string> AudioRefusal(double seconds);

// Renders and writes the file in one piece; `warnings` names clips that
// stayed silent because their files could not be read.
TFileResult WriteRunAudio(const std::string& path, const TSoundScript& script, double seconds,
                          std::vector<std::string>& warnings);

} // namespace kelto::cli
