#include "wholefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tools {

namespace {

std::string reason(int error) { return std::strerror(error); }

// Every byte, through short writes and interruptions; false with errno set.
bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

// Closes fd after a write that went as ok says; the first failure wins.
std::optional<std::string> finish(int fd, bool ok)
{
    const int error = errno;
    if (::close(fd) != 0 && ok)
        return reason(errno);
    if (!ok)
        return reason(error);
    return std::nullopt;
}

// A device or a pipe cannot be renamed over: it takes the bytes as they come.
std::optional<std::string> writeInPlace(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return reason(errno);
    return finish(fd, writeAll(fd, bytes));
}

} // namespace

std::optional<std::string> writeFileWhole(const std::string& path, std::string_view bytes)
{
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return writeInPlace(path, bytes);  // a folder is refused here too, by the system
    if (exists && ::access(path.c_str(), W_OK) != 0)
        return reason(errno);  // a file we may not write stays as it is

    // Through a symbolic link the file it names is replaced, not the link.
    std::string target = path;
    if (char* real = exists ? ::realpath(path.c_str(), nullptr) : nullptr) {
        target = real;
        std::free(real);
    }
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    // Hidden while it is written, and short enough for any name the target may have.
    const std::string hidden = folder + "." + target.substr(folder.size(), 200) + "." + std::to_string(::getpid());
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = hidden + "-" + std::to_string(attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 99))
            return reason(errno);
    }

    bool ok = writeAll(fd, bytes);
    if (ok && exists)
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    if (ok)
        ok = ::fsync(fd) == 0;  // on the disk before it takes the name
    std::optional<std::string> problem = finish(fd, ok);
    if (!problem && ::rename(temporary.c_str(), target.c_str()) != 0)
        problem = reason(errno);
    if (problem)
        ::unlink(temporary.c_str());
    return problem;
}

} // namespace tools
