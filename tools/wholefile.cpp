#include "wholefile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>
#include <set>

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

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

// The file that path names through the symbolic links at its end, whether
// that file exists yet or not: a link, live or dangling, is followed and
// stays as it is.
std::string linkedFile(std::string path)
{
    std::array<char, PATH_MAX> buffer;
    for (int hop = 0; hop < 40; ++hop) {
        const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length <= 0 || std::size_t(length) == buffer.size())
            break;  // not a link
        const std::string link(buffer.data(), std::size_t(length));
        path = link.front() == '/' ? link : folderOf(path) + link;
    }
    return path;
}

// A picture is written under a name of its own beside its place until it
// is whole: hidden, ending in ".vesmor-" and six random letters or digits.
// The writer holds the file locked for as long as it may have that name,
// so one with that name and no lock is what a killed run left behind.
constexpr std::string_view PartialMark = ".vesmor-";
constexpr std::size_t PartialRandom = 6;

std::string partialName(const std::string& folder, const std::string& base)
{
    static std::mt19937 random{std::random_device{}()};
    constexpr std::string_view Letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // Short enough beside any name the picture may have.
    std::string name = folder + "." + base.substr(0, 200) + std::string(PartialMark);
    for (std::size_t i = 0; i < PartialRandom; ++i)
        name += Letters[random() % Letters.size()];
    return name;
}

bool isPartialName(std::string_view name)
{
    const std::size_t tail = PartialMark.size() + PartialRandom;
    if (name.size() <= tail + 1 || name.front() != '.' || !name.substr(name.size() - tail).starts_with(PartialMark))
        return false;
    for (const char c : name.substr(name.size() - PartialRandom))
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Removes from folder the partial pictures of runs that were killed while
// they wrote, once a run for each folder it writes into.
void removeLeftovers(const std::string& folder)
{
    static std::set<std::string> cleaned;
    if (!cleaned.insert(folder).second)
        return;
    DIR* entries = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!entries)
        return;
    while (const dirent* entry = ::readdir(entries)) {
        if (!isPartialName(entry->d_name))
            continue;
        const std::string path = folder + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Only the very file that was opened, and only when nobody holds it.
        struct stat opened {}, named {};
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(entries);
}

// While a partial picture has a name, Ctrl+C, a hang-up or a termination
// removes it before they end the driver as they would have.
constexpr std::array<int, 3> Endings = {SIGHUP, SIGINT, SIGTERM};
char partialPath[PATH_MAX];
volatile sig_atomic_t hasPartial = 0;

extern "C" void removePartialAndEnd(int signal)
{
    if (hasPartial)
        ::unlink(partialPath);
    ::raise(signal);  // handled once: it now ends the driver
}

// The partial name of one picture, removed when the picture does not take
// its place.
class PartialFile {
public:
    PartialFile()
    {
        struct sigaction handler {};
        handler.sa_handler = removePartialAndEnd;
        handler.sa_flags = SA_RESETHAND;
        for (std::size_t i = 0; i < Endings.size(); ++i) {
            // An ending the program handles or ignores itself stays so.
            ::sigaction(Endings[i], nullptr, &m_before[i]);
            m_installed[i] = m_before[i].sa_handler == SIG_DFL && ::sigaction(Endings[i], &handler, nullptr) == 0;
        }
    }
    ~PartialFile()
    {
        remove();
        for (std::size_t i = 0; i < Endings.size(); ++i)
            if (m_installed[i])
                ::sigaction(Endings[i], &m_before[i], nullptr);
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    // Chooses the next name; it is removed at an ending even before the
    // file has it.
    const char* next(const std::string& folder, const std::string& base)
    {
        remove();
        const std::string name = partialName(folder, base);
        if (name.size() >= sizeof partialPath)
            return nullptr;
        std::memcpy(partialPath, name.c_str(), name.size() + 1);
        hasPartial = 1;
        return partialPath;
    }
    bool hasName() const { return hasPartial; }
    const char* name() const { return partialPath; }
    // The name is not ours to remove: the picture took it, or another file had it.
    void release() { hasPartial = 0; }
    void remove()
    {
        if (hasPartial)
            ::unlink(partialPath);
        hasPartial = 0;
    }

private:
    std::array<struct sigaction, Endings.size()> m_before {};
    std::array<bool, Endings.size()> m_installed {};
};

// A new file in folder with no name at all, or -1 with errno set. A file
// system without unnamed files says EOPNOTSUPP, or EISDIR on an old kernel;
// without /proc there is no way to give it a name.
int openUnnamed(const std::string& folder)
{
    if (::access("/proc/self/fd", X_OK) != 0) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

// A new file under a partial name, locked, or -1 with errno set.
int openPartial(PartialFile& partial, const std::string& folder, const std::string& base)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const char* name = partial.next(folder, base);
        if (!name) {
            errno = ENAMETOOLONG;
            return -1;
        }
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) {
            partial.release();  // someone else's: not ours to remove
            continue;
        }
        if (fd < 0)
            return -1;
        // Another run may have taken it for a leftover before it was locked.
        struct stat opened {}, named {};
        if (::flock(fd, LOCK_EX) != 0 || (::fstat(fd, &opened) == 0 && ::lstat(name, &named) == 0 &&
                                          named.st_dev == opened.st_dev && named.st_ino == opened.st_ino))
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// Gives the whole, unnamed file fd the name target: at once when target
// does not exist, else through a partial name renamed over it.
bool linkUnnamed(int fd, PartialFile& partial, const std::string& target, const std::string& folder,
                 const std::string& base)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    for (int attempt = 0; errno == EEXIST && attempt < 100; ++attempt) {
        const char* name = partial.next(folder, base);
        if (!name) {
            errno = ENAMETOOLONG;
            return false;
        }
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name, AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno == EEXIST)
            partial.release();  // someone else's: not ours to remove
    }
    return false;
}

} // namespace

std::optional<std::string> writeFileWhole(const std::string& path, std::string_view bytes)
{
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return reason(errno);  // a loop of links, a folder that is a file...
    if (exists && !S_ISREG(existing.st_mode))
        return writeInPlace(path, bytes);  // a folder is refused here too, by the system
    if (exists && ::access(path.c_str(), W_OK) != 0)
        return reason(errno);  // a file we may not write stays as it is

    const std::string target = linkedFile(path);
    const std::string folder = folderOf(target);
    const std::string base = target.substr(folder.size());
    removeLeftovers(folder);

    PartialFile partial;
    int fd = openUnnamed(folder);
    const bool unnamed = fd >= 0;
    if (!unnamed && errno != EOPNOTSUPP && errno != EISDIR)
        return reason(errno);
    if (unnamed)
        ::flock(fd, LOCK_EX);  // before it has a name, so that no run takes it for a leftover
    else if ((fd = openPartial(partial, folder, base)) < 0)
        return reason(errno);

    bool ok = writeAll(fd, bytes);
    if (ok && exists)
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    if (ok)
        ok = ::fsync(fd) == 0;  // on the disk before it takes the name
    if (ok && unnamed)
        ok = linkUnnamed(fd, partial, target, folder, base);
    std::optional<std::string> problem = finish(fd, ok);
    if (!problem && partial.hasName()) {
        if (::rename(partial.name(), target.c_str()) == 0)
            partial.release();
        else
            problem = reason(errno);
    }
    return problem;
}

} // namespace tools
