// Where the wave clips are found: the voice clips and clock words built from
// resources/voice, and the numbered file clips beside the program.
#pragma once

#include <string>

namespace kelto {

struct TWaveFolders {
    std::string Voice;   // M_05.wav, F_05.wav, BS_XZ.wav ...
    std::string Program; // holds WAV/305.WAV ...
};

// The executable's folder; its "voice" folder when there is one, otherwise
// the one the build generated.
TWaveFolders DefaultWaveFolders();

// The file behind a clip source: a resource name ("M_05WAV") in the voice
// folder, a relative path ("WAV/305.WAV") below the program folder.
std::string WaveSourcePath(const std::string& source, const TWaveFolders& folders);

} // namespace kelto
