#include "foundation/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "foundation/path.h"

namespace Qx {

FolderLock::Result FolderLock::take(const std::string& path) {
    release();
    const std::string native = native_path(path);
    // O_NOFOLLOW and the type check: the lock file is ours, never something a link points at.
    int fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0644);
    // A read-only folder still locks through a file an earlier run left.
    if (fd < 0) fd = ::open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return UNAVAILABLE;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return UNAVAILABLE;
    }
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? HELD : UNAVAILABLE;
    }
    fd_ = fd;
    return TAKEN;
}

void FolderLock::release() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

}  // namespace Qx
