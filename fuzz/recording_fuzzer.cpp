// Any recording text, its checksum made right so the parser itself is tried:
// reading either refuses it or gives a recording that writes to a text that
// reads back to the same recording, and its circuit replays without a crash.
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/replay/recording_sound.h"
#include "core/replay/recording_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kelto;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    if (const size_t checksum = text.rfind("checksum "); checksum != std::string::npos)
        text.resize(checksum);
    text += RecordingChecksumLine(text);
    std::string error;
    std::optional<TRunRecording> recording = ReadRecording(text, error);
    if (!recording)
        return 0;
    const std::string written = WriteRecording(*recording);
    const std::optional<TRunRecording> reread = ReadRecording(written, error);
    if (!reread || WriteRecording(*reread) != written)
        std::abort();
    TSimuBoard board;
    if (!ReadCircuitDocument(board, recording->Circuit).Ok)
        return 0;
    TReplaySound replay(*recording);
    board.SetSoundDevices(replay.Devices());
    for (int tick = 1; tick <= 5; ++tick)
        board.RunTick(recording->DeltaTimes.Next().value_or(0.001), tick * 0.001);
    return 0;
}
