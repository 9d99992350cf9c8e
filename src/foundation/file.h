#pragma once
// A file handle with its path, over the system's descriptors.
#include <cstdint>
#include <string>

namespace Qx {

enum FileFlags : uint32_t {
    FILE_READ = 1,
    FILE_WRITE = 2,
    FILE_APPEND = 4,          // position at the end after opening
    FILE_EXISTING = 8,        // open only an existing file
    FILE_RANDOM = 16,         // hint
    FILE_SEQUENTIAL = 32,     // hint
    FILE_TRUNCATE = 64,       // empty the file when opening it for writing
    FILE_EXCLUSIVE = 128,     // refuse other openers while open
    FILE_WRITE_THROUGH = 256, // every write reaches the disk before it returns
    FILE_OVERLAPPED = 512,    // accepted; this layer has no asynchronous calls
};

enum class SeekMethod { Begin, Current, End };

class File {
public:
    File() = default;
    File(const std::string& path, uint32_t flags);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Only regular files open: a directory or device where a file is expected is
    // refused. A missing exact name falls back to a case-insensitive match in its folder.
    bool open(const std::string& path, uint32_t flags);
    // False when the system reported an error while closing (lost data).
    bool close();
    bool is_open() const { return fd_ >= 0; }

    // Bytes read, looping over short reads until the count or the end of the file.
    uint32_t read(void* buffer, uint32_t bytes);
    // Loops over short writes; false on any error or when closed.
    bool write(const void* buffer, uint32_t bytes);
    // Offsets from the current position or the end are taken as signed.
    bool seek(uint64_t offset, SeekMethod method);
    uint64_t size() const;
    // Extending reserves the disk space, so a full disk fails here, not on a later
    // write through a mapping. The position ends at the new length.
    bool set_size(uint64_t length);
    // Last write time in 100-nanosecond steps since 1 January 1601 UTC; 0 when closed.
    uint64_t file_time() const;
    bool flush();
    int handle() const { return fd_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace Qx
