#include "foundation/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "foundation/path.h"

namespace Qx {

namespace {

// Seconds from 1 January 1601 to 1 January 1970.
constexpr uint64_t kFileTimeEpochOffset = 11644473600ull;

int open_mode(uint32_t flags, bool& ok) {
    ok = true;
    bool rd = flags & FILE_READ, wr = flags & FILE_WRITE;
    if (!rd && !wr) {
        ok = false;
        return 0;
    }
    int mode = rd && wr ? O_RDWR : wr ? O_WRONLY : O_RDONLY;
    if (wr) {
        bool existing = flags & FILE_EXISTING, truncate = flags & FILE_TRUNCATE;
        if (existing && truncate) mode |= O_TRUNC;
        else if (truncate) mode |= O_CREAT | O_TRUNC;
        else if (!existing) mode |= O_CREAT;
    }
    if (flags & FILE_WRITE_THROUGH) mode |= O_DSYNC;
    return mode | O_CLOEXEC | O_NONBLOCK;
}

}  // namespace

File::File(const std::string& path, uint32_t flags) { open(path, flags); }

File::~File() { close(); }

bool File::open(const std::string& path, uint32_t flags) {
    close();
    path_ = path;
    bool ok;
    int mode = open_mode(flags, ok);
    if (!ok) return false;

    std::string target = resolve_existing_path(path);
    if (target.empty()) target = native_path(path);
    struct stat st;
    // Refuse before open so that O_TRUNC never touches anything but a regular file.
    if (stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return false;

    // O_NONBLOCK keeps a FIFO swapped in after the check from blocking the open.
    int fd = ::open(target.c_str(), mode, 0666);
    if (fd < 0) return false;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Sharing as the program expects it: an exclusive opener shuts out every other
    // opener, and is shut out by them.
    if (flock(fd, ((flags & FILE_EXCLUSIVE) ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    if (flags & FILE_RANDOM) posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
    if (flags & FILE_SEQUENTIAL) posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    fd_ = fd;
    if (flags & FILE_APPEND) lseek(fd_, 0, SEEK_END);
    return true;
}

bool File::close() {
    if (fd_ < 0) return true;
    int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0;
}

uint32_t File::read(void* buffer, uint32_t bytes) {
    if (fd_ < 0 || !buffer) return 0;
    uint8_t* p = static_cast<uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < bytes) {
        ssize_t n = ::read(fd_, p + done, bytes - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return 0;
        }
        if (n == 0) break;
        done += uint32_t(n);
    }
    return done;
}

bool File::write(const void* buffer, uint32_t bytes) {
    if (fd_ < 0) return false;
    if (bytes && !buffer) return false;
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < bytes) {
        ssize_t n = ::write(fd_, p + done, bytes - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += uint32_t(n);
    }
    return true;
}

bool File::seek(uint64_t offset, SeekMethod method) {
    if (fd_ < 0) return false;
    int whence = method == SeekMethod::Begin ? SEEK_SET : method == SeekMethod::Current ? SEEK_CUR : SEEK_END;
    return lseek(fd_, off_t(offset), whence) != off_t(-1);
}

uint64_t File::size() const {
    struct stat st;
    if (fd_ < 0 || fstat(fd_, &st) != 0) return 0;
    return uint64_t(st.st_size);
}

bool File::set_size(uint64_t length) {
    if (fd_ < 0) return false;
    uint64_t current = size();
    if (current == length) return true;
    if (length > uint64_t(INT64_MAX)) return false;
    if (length > current) {
        int rc = posix_fallocate(fd_, 0, off_t(length));
        if (rc != 0) {
            // A partly allocated file must not keep a length it was never given.
            if (size() != current) ftruncate(fd_, off_t(current));
            errno = rc;
            return false;
        }
    } else if (ftruncate(fd_, off_t(length)) != 0) {
        return false;
    }
    return lseek(fd_, off_t(length), SEEK_SET) != off_t(-1);
}

uint64_t File::file_time() const {
    struct stat st;
    if (fd_ < 0 || fstat(fd_, &st) != 0) return 0;
    return (uint64_t(st.st_mtim.tv_sec) + kFileTimeEpochOffset) * 10000000ull +
           uint64_t(st.st_mtim.tv_nsec) / 100;
}

bool File::flush() {
    if (fd_ < 0) return false;
    return fsync(fd_) == 0;
}

}  // namespace Qx
