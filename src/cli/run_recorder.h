// What a run reports while it goes: message log lines on stdout, sound
// requests as JSON lines (--events) and one JSON line per tick (--trace).
#pragma once

#include "core/basic/interpreter.h"

#include <cstdint>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace kelto {
class TSimuBoard;
}

namespace kelto::cli {

class TRunRecorder {
public:
    explicit TRunRecorder(TSimuBoard& board);
    TRunRecorder(const TRunRecorder&) = delete;
    TRunRecorder& operator=(const TRunRecorder&) = delete;

    // False with a message when the file cannot be created; "-" is stdout.
    bool OpenEvents(const std::string& path, std::string& error);
    bool OpenTrace(const std::string& path, std::string& error);

    void BeginTick(int64_t tick);
    void EndTick();
    bool Flush();

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
    static bool Open(const std::string& path, std::ofstream& file, std::ostream*& stream, std::string& error);

    TSimuBoard& FBoard;
    int64_t FTick = 0;
    std::ofstream FEventsFile;
    std::ofstream FTraceFile;
    std::ostream* FEvents = nullptr;
    std::ostream* FTrace = nullptr;
    std::vector<std::string> FLogSinceTrace;
    std::vector<TPinSnapshot> FBefore;
    std::vector<TPinSnapshot> FAfter;
};

} // namespace kelto::cli
