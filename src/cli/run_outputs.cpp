#include "cli/run_outputs.h"

#include <filesystem>
#include <iostream>
#include <set>

namespace kelto::cli {

namespace {

constexpr std::string_view kStandardOutput = "-";

std::string ShownName(const std::string& path)
{
    return path == kStandardOutput ? "standard output" : path;
}

// Two outputs written to one file would leave only the last one; a device or a
// FIFO can take both.
bool SharesAFile(const std::string& path, std::set<std::filesystem::path>& seen)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return false;
    const fs::path real = fs::weakly_canonical(fs::absolute(path, error), error);
    return !error && !seen.insert(real).second;
}

} // namespace

TRunOutputs::TRunOutputs()
{
    FStandardOutput.OpenStandardOutput();
}

void TRunOutputs::Report(const std::string& path, const TFileResult& result)
{
    FFailed = true;
    std::cerr << "keltosimu-run: cannot write " << ShownName(path) << ": " << result.Message << '\n';
}

bool TRunOutputs::CheckTargets(const TRunOptions& options)
{
    std::set<std::filesystem::path> seen;
    for (const std::optional<std::string>& path :
         {options.StatePath, options.SavePath, options.EventsPath, options.TracePath, options.AudioPath,
          options.VcdPath, options.MidiPath, options.PicturePath, options.RecordPath}) {
        if (!path || *path == kStandardOutput)
            continue;
        if (const TFileResult checked = TFileWriter::CheckTarget(*path); !checked.Ok)
            Report(*path, checked);
        else if (SharesAFile(*path, seen))
            Report(*path, TFileResult::Failure("another output names the same file"));
    }
    return !FFailed;
}

TFileWriter* TRunOutputs::OpenStream(const std::string& path, TFileWriter& file)
{
    if (path == kStandardOutput)
        return &FStandardOutput;
    if (const TFileResult opened = file.Open(path); !opened.Ok) {
        Report(path, opened);
        return nullptr;
    }
    return &file;
}

bool TRunOutputs::OpenStreams(const TRunOptions& options)
{
    if (options.EventsPath) {
        FEventsPath = *options.EventsPath;
        FEvents = OpenStream(FEventsPath, FEventsFile);
    }
    if (options.TracePath && !FFailed) {
        FTracePath = *options.TracePath;
        FTrace = OpenStream(FTracePath, FTraceFile);
    }
    return !FFailed;
}

void TRunOutputs::WriteWhole(const std::string& path, std::string_view text)
{
    if (path == kStandardOutput) {
        FStandardOutput.Write(text);
        return;
    }
    if (const TFileResult written = WriteFileAtomically(path, text); !written.Ok)
        Report(path, written);
}

bool TRunOutputs::Finish()
{
    for (const auto& [file, path] :
         {std::pair{&FEventsFile, &FEventsPath}, std::pair{&FTraceFile, &FTracePath}})
        if (file->IsOpen())
            if (const TFileResult committed = file->Commit(); !committed.Ok)
                Report(*path, committed);
    if (const TFileResult flushed = FStandardOutput.Commit(); !flushed.Ok)
        Report(std::string(kStandardOutput), flushed);
    return !FFailed;
}

} // namespace kelto::cli
