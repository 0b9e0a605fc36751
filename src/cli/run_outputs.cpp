#include "cli/run_outputs.h"

#include <iostream>

namespace kelto::cli {

namespace {

constexpr std::string_view kStandardOutput = "-";

std::string ShownName(const std::string& path)
{
    return path == kStandardOutput ? "standard output" : path;
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
    for (const std::optional<std::string>& path :
         {options.StatePath, options.SavePath, options.EventsPath, options.TracePath, options.AudioPath,
          options.PicturePath})
        if (path && *path != kStandardOutput)
            if (const TFileResult checked = TFileWriter::CheckTarget(*path); !checked.Ok)
                Report(*path, checked);
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
