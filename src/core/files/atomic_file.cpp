#include "core/files/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kelto {

namespace {

std::string SystemError(int error)
{
    return std::strerror(error);
}

mode_t NewFileMode(const std::string& path)
{
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

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

} // namespace

TFileResult ReadWholeFile(const std::string& path, std::string& contents, size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return TFileResult::Failure(SystemError(errno));
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return TFileResult::Failure(SystemError(EISDIR));
    }
    contents.clear();
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return TFileResult::Failure(SystemError(error));
        }
        if (got == 0)
            break;
        if (contents.size() + static_cast<size_t>(got) > maxBytes) {
            ::close(fd);
            return TFileResult::Failure("the file is larger than " + std::to_string(maxBytes / (1024 * 1024)) +
                                        " MB");
        }
        contents.append(buffer.data(), static_cast<size_t>(got));
    }
    ::close(fd);
    return TFileResult::Success();
}

TFileResult WriteFileAtomically(const std::string& path, std::string_view contents)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return TFileResult::Failure(SystemError(errno));
    const mode_t mode = NewFileMode(path);
    int error = 0;
    if (!WriteAll(fd, contents) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return TFileResult::Failure(SystemError(error));
    }
    return TFileResult::Success();
}

} // namespace kelto
