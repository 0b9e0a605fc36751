// What a run reports while it goes: message log lines on stdout, sound
// requests as JSON lines (--events) and one JSON line per tick (--trace).
#pragma once

#include "core/basic/interpreter.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelto {
class TFileWriter;
class TSimuBoard;
} // namespace kelto

namespace kelto::cli {

class TRunRecorder {
public:
    // Log lines go to `log` as they are appended. The writers must outlive
    // the recorder.
    TRunRecorder(TSimuBoard& board, TFileWriter& log);
    TRunRecorder(const TRunRecorder&) = delete;
    TRunRecorder& operator=(const TRunRecorder&) = delete;
    ~TRunRecorder();

    void RecordEvents(TFileWriter& events) { FEvents = &events; }
    void RecordTrace(TFileWriter& trace);

    void BeginTick(int64_t tick);
    void EndTick();

    // Called before each log line is written (the progress line makes room).
    std::function<void()> FBeforeLogLine;

private:
    struct TPinSnapshot {
        int32_t Kind = 0;
        int32_t Level = 0;
        double Value = 0.0;
        bool operator==(const TPinSnapshot&) const = default;
    };
    void OnLogLine(std::string_view line);
    void OnSoundRequest(const TSoundRequest& request);
    void TakeSnapshot(std::vector<TPinSnapshot>& snapshot) const;

    TSimuBoard& FBoard;
    TFileWriter& FLog;
    int64_t FTick = 0;
    TFileWriter* FEvents = nullptr;
    TFileWriter* FTrace = nullptr;
    std::vector<std::string> FLogSinceTrace;
    std::vector<TPinSnapshot> FBefore;
    std::vector<TPinSnapshot> FAfter;
};

} // namespace kelto::cli
