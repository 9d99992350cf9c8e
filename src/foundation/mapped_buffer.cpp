#include "foundation/mapped_buffer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace Qx {

namespace {

uint64_t wanted_length(uint32_t length, uint32_t flags) {
    uint64_t len = length;
    if (flags & MB_ROUND_PAGE) len = (len + kMappedPageSize - 1) / kMappedPageSize * kMappedPageSize;
    return len;
}

uint32_t file_flags_for(uint32_t flags) {
    uint32_t f = FILE_RANDOM;
    if (flags & MB_READ) f |= FILE_READ;
    // A shared writable mapping needs a descriptor open for reading as well.
    if (flags & MB_WRITE) f |= FILE_READ | FILE_WRITE;
    if (flags & MB_EXISTING) f |= FILE_EXISTING;
    if (flags & MB_EXCLUSIVE) f |= FILE_EXCLUSIVE;
    return f;
}

}  // namespace

MappedBuffer::MappedBuffer(const std::string& path, const std::string& mapping_name, uint32_t flags,
                           uint32_t length) {
    open(path, mapping_name, flags, length);
}

MappedBuffer::MappedBuffer(const std::string& path, uint32_t flags, uint32_t length) {
    open(path, std::string(), flags, length);
}

MappedBuffer::~MappedBuffer() { close(); }

bool MappedBuffer::open(const std::string& path, uint32_t flags, uint32_t length) {
    return open(path, std::string(), flags, length);
}

bool MappedBuffer::open(const std::string& path, const std::string& mapping_name, uint32_t flags,
                        uint32_t length) {
    close();
    path_ = path;
    flags_ = flags;
    mapping_name_ = mapping_name;
    if (path_.empty()) return map_page_file(length);
    if (!file_.open(path_, file_flags_for(flags_))) return false;
    if (!map_file(length)) {
        file_.close();
        return false;
    }
    return true;
}

bool MappedBuffer::map_file(uint32_t length) {
    uint64_t len;
    if (length != 0) {
        len = wanted_length(length, flags_);
        if (len > UINT32_MAX) return false;
        if (file_.size() != len) file_.set_size(len);
        if (file_.size() != len) return false;
    } else {
        len = file_.size();
        if (len == 0 || len > kMappedMaxWholeFile) return false;
    }
    int prot = PROT_READ | ((flags_ & MB_WRITE) ? PROT_WRITE : 0);
    void* view = mmap(nullptr, size_t(len), prot, MAP_SHARED, file_.handle(), 0);
    if (view == MAP_FAILED) return false;
    view_ = static_cast<uint8_t*>(view);
    length_ = uint32_t(len);
    mapped_ = true;
    return true;
}

bool MappedBuffer::map_page_file(uint32_t length) {
    if (length == 0) return false;
    uint64_t len = wanted_length(length, flags_);
    if (len > UINT32_MAX) return false;
    int fd = -1;
    if (!mapping_name_.empty()) {
        std::string name = "/" + mapping_name_;
        for (size_t i = 1; i < name.size(); ++i)
            if (name[i] == '/' || name[i] == '\\') name[i] = '_';
        fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return false;
        struct stat st;
        if (fstat(fd, &st) != 0 || (uint64_t(st.st_size) < len && ftruncate(fd, off_t(len)) != 0)) {
            ::close(fd);
            return false;
        }
        shm_name_ = name;
    }
    int prot = PROT_READ | PROT_WRITE;
    int share = fd >= 0 ? MAP_SHARED : (MAP_SHARED | MAP_ANONYMOUS);
    void* view = mmap(nullptr, size_t(len), prot, share, fd, 0);
    if (view == MAP_FAILED) {
        if (fd >= 0) ::close(fd);
        shm_name_.clear();
        return false;
    }
    shm_fd_ = fd;
    view_ = static_cast<uint8_t*>(view);
    length_ = uint32_t(len);
    mapped_ = true;
    return true;
}

bool MappedBuffer::unmap_view() {
    bool ok = true;
    if (view_) {
        if (is_file_backed() && (flags_ & MB_WRITE) && msync(view_, length_, MS_SYNC) != 0) ok = false;
        if (munmap(view_, length_) != 0) ok = false;
    }
    view_ = nullptr;
    length_ = 0;
    return ok;
}

void MappedBuffer::close_mapping() {
    if (shm_fd_ >= 0) ::close(shm_fd_);
    shm_fd_ = -1;
    // Like a system mapping object, a named block lives only while it is open.
    if (!shm_name_.empty()) shm_unlink(shm_name_.c_str());
    shm_name_.clear();
    mapped_ = false;
}

bool MappedBuffer::resize(uint32_t length, const std::string& mapping_name) {
    if (!mapped_) return false;
    mapping_name_ = mapping_name;
    if (is_file_backed()) {
        if (!file_.is_open()) return false;
        bool flushed = unmap_view();
        close_mapping();
        if (!flushed || !map_file(length)) {
            unmap_view();
            mapped_ = false;
            return false;
        }
        return true;
    }
    unmap_view();
    close_mapping();
    return map_page_file(length);
}

bool MappedBuffer::grow(uint32_t length) { return resize(length, mapping_name_); }

bool MappedBuffer::close() {
    bool ok = unmap_view();
    close_mapping();
    if (file_.is_open()) {
        if ((flags_ & MB_WRITE) && !file_.flush()) ok = false;
        if (!file_.close()) ok = false;
    }
    return ok;
}

void MappedBuffer::zero() {
    if (view_ && (is_page_file() || (flags_ & MB_WRITE))) memset(view_, 0, length_);
}

bool MappedBuffer::save_to(const std::string& path) const {
    if (!view_) return false;
    File out;
    if (!out.open(path, FILE_WRITE | FILE_TRUNCATE)) return false;
    bool ok = out.write(view_, length_);
    return out.close() && ok;
}

uint8_t* BufferCursor::at() const {
    if (position_ > buffer_.length() || !buffer_.data()) return nullptr;
    return buffer_.data() + position_;
}

uint8_t* BufferCursor::reserve(uint32_t bytes) {
    uint64_t end = uint64_t(position_) + bytes;
    if (end > UINT32_MAX) return nullptr;
    if (end > buffer_.length() && !buffer_.grow(uint32_t(end))) return nullptr;
    if (!buffer_.data()) return nullptr;
    uint8_t* p = buffer_.data() + position_;
    position_ = uint32_t(end);
    return p;
}

}  // namespace Qx
