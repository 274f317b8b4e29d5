// Preloaded into the driver, this makes every folder behave as one on a
// file system without unnamed files (O_TMPFILE), as some network and FAT
// file systems are: the driver must then write its pictures another way.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>

extern "C" int open(const char* path, int flags, ...)
{
    using Open = int (*)(const char*, int, ...);
    static const Open next = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "open"));
    if ((flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = flags & O_CREAT ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    return next(path, flags, mode);
}
