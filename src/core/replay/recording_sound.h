// The board's view of the outside world during a recorded run and during its
// replay. Recording passes every question on to the real devices and writes
// the answer down; replaying answers from the recording and plays nothing.
// RANDOM is seeded from the recording either way.
#pragma once

#include "core/basic/interpreter.h"
#include "core/replay/run_recording.h"
#include "core/sound/virtual_devices.h"

#include <memory>

namespace kelto {

class TRecordingSound {
public:
    // `real` may leave devices out, as the interpreter allows; the defaults
    // stand in then. Answers go into `recording`, which must outlive this.
    TRecordingSound(const TSoundDevices& real, TRunRecording& recording);
    ~TRecordingSound();
    TSoundDevices Devices();
    // RANDOM's generator, to carry on from where another run left it.
    TSeededRandom& Random();

private:
    struct TProxies;
    std::unique_ptr<TProxies> FProxies;
};

class TReplaySound {
public:
    // Reads the answers of `recording` from where they stand (a recording
    // read from a file: the first); it must outlive this.
    explicit TReplaySound(TRunRecording& recording);
    ~TReplaySound();
    TSoundDevices Devices();
    TSeededRandom& Random();
    // The run asked a question the recording has no answer for: it is not
    // the run that was recorded.
    bool RanOut() const;

private:
    struct TProxies;
    std::unique_ptr<TProxies> FProxies;
};

} // namespace kelto
