#include "core/files/atomic_file.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace kelto {

namespace {

// linux/magic.h's numbers for /proc and /sys, which the WebAssembly build lacks.
constexpr decltype(statfs::f_type) kProcSuperMagic = 0x9fa0;
constexpr decltype(statfs::f_type) kSysfsMagic = 0x62656572;
constexpr int kMaxLinkHops = 40;
constexpr size_t kWriteChunk = 64 * 1024;
constexpr std::string_view kTemporaryTail = ".XXXXXX";

bool WriteAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The kernel's own files take writes in place and allow no new files.
bool OnKernelFileSystem(const std::string& path)
{
    struct statfs info {};
    return ::statfs(path.c_str(), &info) == 0 &&
           (info.f_type == kProcSuperMagic || info.f_type == kSysfsMagic);
}

// The temporary file's name: the target's name, cut so the whole stays
// within the folder's name limit, and a random tail.
std::string TemporaryName(const std::string& folder, const std::string& name)
{
    long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = NAME_MAX;
    const size_t room = static_cast<size_t>(limit) - kTemporaryTail.size();
    std::string kept = name.substr(0, std::min(name.size(), room));
    // Never leave half a UTF-8 character at the cut.
    while (kept.size() < name.size() && !kept.empty() &&
           (static_cast<unsigned char>(name[kept.size()]) & 0xC0) == 0x80)
        kept.pop_back();
    return (folder == "/" ? "" : folder) + "/" + kept;
}

int CreateTemporary(std::string& path, const std::string& stem, mode_t mode)
{
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = stem + ".";
        for (size_t i = 1; i < kTemporaryTail.size(); ++i)
            path += kLetters[random() % kLetters.size()];
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

struct TFileWriter::TTarget {
    std::string Path; // symbolic links followed
    bool Exists = false;
    struct stat Info {};
    bool InPlace = false;
};

TFileResult ReadWholeFile(const std::string& path, std::string& contents, size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return TFileResult::SystemFailure(errno);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return TFileResult::SystemFailure(EISDIR);
    }
    contents.clear();
    std::vector<char> buffer(kWriteChunk);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return TFileResult::SystemFailure(error);
        }
        if (got == 0)
            break;
        if (contents.size() + static_cast<size_t>(got) > maxBytes) {
            ::close(fd);
            const int64_t megabytes = static_cast<int64_t>(maxBytes / (1024 * 1024));
            return TFileResult::Failure(TFileProblem::TooLarge,
                                        "the file is larger than " + std::to_string(megabytes) + " MB",
                                        megabytes);
        }
        contents.append(buffer.data(), static_cast<size_t>(got));
    }
    ::close(fd);
    return TFileResult::Success();
}

TFileResult WriteFileAtomically(const std::string& path, std::string_view contents)
{
    TFileWriter writer;
    if (TFileResult opened = writer.Open(path); !opened.Ok)
        return opened;
    writer.Write(contents);
    return writer.Commit();
}

TFileWriter::~TFileWriter()
{
    Discard();
}

// Follows symbolic links in the last name; a link to nothing names the file
// to create, as an editor does.
TFileResult TFileWriter::Resolve(const std::string& path, TTarget& target)
{
    if (path.empty())
        return TFileResult::SystemFailure(ENOENT);
    target.Path = path;
    for (int hops = 0;; ++hops) {
        if (::lstat(target.Path.c_str(), &target.Info) != 0) {
            if (errno != ENOENT)
                return TFileResult::SystemFailure(errno);
            target.Exists = false;
            break;
        }
        if (!S_ISLNK(target.Info.st_mode)) {
            target.Exists = true;
            break;
        }
        if (hops == kMaxLinkHops)
            return TFileResult::SystemFailure(ELOOP);
        std::array<char, PATH_MAX> link{};
        const ssize_t length = ::readlink(target.Path.c_str(), link.data(), link.size());
        if (length < 0)
            return TFileResult::SystemFailure(errno);
        if (static_cast<size_t>(length) >= link.size())
            return TFileResult::SystemFailure(ENAMETOOLONG);
        const std::string next(link.data(), static_cast<size_t>(length));
        target.Path = next.front() == '/' ? next : FolderOf(target.Path) + "/" + next;
    }
    const std::string folder = FolderOf(target.Path);
    if (!target.Exists) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0)
            return TFileResult::SystemFailure(errno);
        if (!S_ISDIR(info.st_mode))
            return TFileResult::SystemFailure(ENOTDIR);
        return ::access(folder.c_str(), W_OK | X_OK) == 0 ? TFileResult::Success()
                                                          : TFileResult::SystemFailure(errno);
    }
    if (S_ISDIR(target.Info.st_mode))
        return TFileResult::SystemFailure(EISDIR);
    target.InPlace = !S_ISREG(target.Info.st_mode) || OnKernelFileSystem(target.Path);
    if (S_ISREG(target.Info.st_mode)) {
        // As an editor does, also for root, whom the access check lets through:
        // a file nobody may write is not replaced.
        if (::access(target.Path.c_str(), W_OK) != 0)
            return TFileResult::SystemFailure(errno);
        if ((target.Info.st_mode & 0222) == 0)
            return TFileResult::SystemFailure(EACCES);
    }
    return TFileResult::Success();
}

TFileResult TFileWriter::CheckTarget(const std::string& path)
{
    TTarget target;
    return Resolve(path, target);
}

TFileResult TFileWriter::Open(const std::string& path)
{
    Discard();
    TTarget target;
    if (TFileResult resolved = Resolve(path, target); !resolved.Ok)
        return resolved;
    FTarget = target.Path;
    FError = 0;
    FBuffer.clear();
    if (target.InPlace) {
        const int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC | (S_ISREG(target.Info.st_mode) ? O_TRUNC : 0);
        FFd = ::open(FTarget.c_str(), flags);
    } else {
        FMode = target.Exists ? target.Info.st_mode & 07777 : 0;
        FOwner = target.Info.st_uid;
        FGroup = target.Info.st_gid;
        FHadOwner = target.Exists;
        FKeepLinks = target.Exists && target.Info.st_nlink > 1;
        // A new file gets the usual mode, the umask applied; an old one's
        // mode is put back before the rename.
        const mode_t createMode = target.Exists ? FMode & 0777 : 0666;
        FFd = CreateTemporary(FTemporary, TemporaryName(FolderOf(FTarget), NameOf(FTarget)), createMode);
        if (FFd < 0)
            FTemporary.clear();
    }
    if (FFd < 0)
        return TFileResult::SystemFailure(errno);
    FOwnsFd = true;
    return TFileResult::Success();
}

void TFileWriter::OpenStandardOutput()
{
    Discard();
    FFd = STDOUT_FILENO;
    FOwnsFd = false;
    FError = 0;
}

void TFileWriter::Write(std::string_view text)
{
    if (FFd < 0 || FError != 0)
        return;
    FBuffer.append(text);
    if (FBuffer.size() >= kWriteChunk)
        Flush();
}

bool TFileWriter::Flush()
{
    if (FFd >= 0 && FError == 0 && !WriteAll(FFd, FBuffer))
        FError = errno;
    FBuffer.clear();
    return FError == 0;
}

TFileResult TFileWriter::Fail(int error)
{
    Discard();
    return TFileResult::SystemFailure(error);
}

TFileResult TFileWriter::Commit()
{
    if (FFd < 0)
        return TFileResult::SystemFailure(FError != 0 ? FError : EBADF);
    if (!Flush())
        return Fail(FError);
    if (!FTemporary.empty())
        return FKeepLinks ? CopyIntoTarget() : ReplaceTarget();
    const bool owned = FOwnsFd;
    const int fd = FFd;
    FFd = -1;
    if (owned && ::close(fd) != 0)
        return TFileResult::SystemFailure(errno);
    return TFileResult::Success();
}

TFileResult TFileWriter::ReplaceTarget()
{
    // Ownership is kept where the system allows it (only root may give a
    // file away); the mode always.
    if (FHadOwner && ::fchown(FFd, FOwner, FGroup) != 0 && errno != EPERM)
        return Fail(errno);
    if ((FHadOwner && ::fchmod(FFd, FMode) != 0) || ::fsync(FFd) != 0)
        return Fail(errno);
    const int fd = FFd;
    FFd = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(FTemporary.c_str());
        FTemporary.clear();
        return TFileResult::SystemFailure(error);
    }
    if (::rename(FTemporary.c_str(), FTarget.c_str()) != 0) {
        const int error = errno;
        ::unlink(FTemporary.c_str());
        FTemporary.clear();
        return TFileResult::SystemFailure(error);
    }
    FTemporary.clear();
    return TFileResult::Success();
}

// Replacing a file with other hard links would split them; once the whole
// text is safely on disk it is copied over the old contents instead.
TFileResult TFileWriter::CopyIntoTarget()
{
    if (::fsync(FFd) != 0)
        return Fail(errno);
    const int target = ::open(FTarget.c_str(), O_WRONLY | O_CLOEXEC);
    if (target < 0)
        return Fail(errno);
    std::vector<char> chunk(kWriteChunk);
    off_t offset = 0;
    int error = 0;
    for (;;) {
        const ssize_t got = ::pread(FFd, chunk.data(), chunk.size(), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        if (!WriteAll(target, {chunk.data(), static_cast<size_t>(got)})) {
            error = errno;
            break;
        }
        offset += got;
    }
    if (error == 0 && (::ftruncate(target, offset) != 0 || ::fsync(target) != 0))
        error = errno;
    if (::close(target) != 0 && error == 0)
        error = errno;
    Discard();
    return error == 0 ? TFileResult::Success() : TFileResult::SystemFailure(error);
}

void TFileWriter::Discard()
{
    if (FFd >= 0 && FOwnsFd)
        ::close(FFd);
    FFd = -1;
    FOwnsFd = false;
    FBuffer.clear();
    if (!FTemporary.empty())
        ::unlink(FTemporary.c_str());
    FTemporary.clear();
}

} // namespace kelto
