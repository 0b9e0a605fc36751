// Where a run's outputs go: the files named on the command line, or standard
// output for "-". They are checked before the run and opened only after every
// input was read, so a refused run changes nothing; each failure is one line
// on standard error naming the file and the system's reason.
#pragma once

#include "cli/run_options.h"
#include "core/files/atomic_file.h"

#include <string>
#include <string_view>

namespace kelto::cli {

class TRunOutputs {
public:
    TRunOutputs();

    // What can be known before writing: a folder, a read-only file, a
    // missing folder. False after reporting.
    bool CheckTargets(const TRunOptions& options);
    // Opens --events and --trace; false after reporting.
    bool OpenStreams(const TRunOptions& options);

    TFileWriter& StandardOutput() { return FStandardOutput; }
    TFileWriter* Events() { return FEvents; }
    TFileWriter* Trace() { return FTrace; }

    // A whole output written at the end (--state, --save, --vcd, --midi).
    void WriteWhole(const std::string& path, std::string_view text);
    // Puts the streamed outputs in place and flushes standard output; false
    // when any output failed.
    bool Finish();

    // One line on standard error; Finish then fails.
    void Report(const std::string& path, const TFileResult& result);

private:
    TFileWriter* OpenStream(const std::string& path, TFileWriter& file);

    TFileWriter FStandardOutput;
    TFileWriter FEventsFile;
    TFileWriter FTraceFile;
    TFileWriter* FEvents = nullptr;
    TFileWriter* FTrace = nullptr;
    std::string FEventsPath;
    std::string FTracePath;
    bool FFailed = false;
};

} // namespace kelto::cli
