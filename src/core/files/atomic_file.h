// Whole-file reads with a size limit, and writes that never leave a
// half-written file. A regular file, or the file a symbolic link names, is
// replaced through a temporary file beside it, keeping its mode; a device, a
// FIFO or standard output is written in place; a folder is refused.
#pragma once

#include "core/files/file_result.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kelto {

TFileResult ReadWholeFile(const std::string& path, std::string& contents, size_t maxBytes);
TFileResult WriteFileAtomically(const std::string& path, std::string_view contents);

// A file written piece by piece. An existing regular file stays as it was
// until Commit puts the whole new text in its place; errors are kept and
// reported by Commit with the system's reason.
class TFileWriter {
public:
    TFileWriter() = default;
    TFileWriter(const TFileWriter&) = delete;
    TFileWriter& operator=(const TFileWriter&) = delete;
    ~TFileWriter(); // an uncommitted temporary file is removed

    // Only checks what Open would check: refuses a folder, a read-only file,
    // a missing folder, without creating or changing anything.
    static TFileResult CheckTarget(const std::string& path);

    TFileResult Open(const std::string& path);
    // Writes to the process's standard output, which stays open afterwards.
    void OpenStandardOutput();
    bool IsOpen() const { return FFd >= 0; }

    void Write(std::string_view text);
    // Pushes what is buffered out; false once any write failed.
    bool Flush();
    TFileResult Commit();

private:
    struct TTarget;
    static TFileResult Resolve(const std::string& path, TTarget& target);
    TFileResult Fail(int error);
    TFileResult ReplaceTarget();
    TFileResult CopyIntoTarget();
    void Discard();

    int FFd = -1;
    bool FOwnsFd = false;
    int FError = 0;
    std::string FBuffer;
    std::string FTarget;     // the file that finally holds the text
    std::string FTemporary;  // empty when writing in place
    bool FKeepLinks = false; // a file with other hard links gets the text copied in
    unsigned FMode = 0;
    unsigned FOwner = 0;
    unsigned FGroup = 0;
    bool FHadOwner = false;
};

} // namespace kelto
