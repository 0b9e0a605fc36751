// Where the wave clips are found: the voice clips and clock words built from
// resources/voice (beside the program, installed or in the build), and the
// numbered file clips beside the program.
#pragma once

#include <string>

namespace kelto {

struct TWaveFolders {
    std::string Voice;   // M_05.wav, F_05.wav, BS_XZ.wav ...
    std::string Program; // holds WAV/305.WAV ...
};

// For a program in `programFolder`: its "voice" folder when there is one,
// else the voice folder of the installed data beside its bin folder, else the
// one the build generated.
TWaveFolders WaveFoldersFor(const std::string& programFolder);
// The same for the running executable.
TWaveFolders DefaultWaveFolders();

// The file behind a clip source: a resource name ("M_05WAV") in the voice
// folder, a relative path ("WAV/305.WAV") below the program folder.
std::string WaveSourcePath(const std::string& source, const TWaveFolders& folders);

} // namespace kelto
