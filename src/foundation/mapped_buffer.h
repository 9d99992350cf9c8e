#pragma once
// A file, or a block of anonymous shared memory, mapped into memory and growable
// in whole pages; and a cursor over it.
#include <cstdint>
#include <string>

#include "foundation/file.h"

namespace Qx {

enum MappedBufferFlags : uint32_t {
    MB_READ = 1,
    MB_WRITE = 2,       // read-write mapping (the file is opened for reading too)
    MB_EXISTING = 8,    // the file must already exist
    MB_ROUND_PAGE = 16, // every length rounded up to a multiple of 4096
    MB_EXCLUSIVE = 32,  // open the file without sharing
};

constexpr uint32_t kMappedPageSize = 4096;
constexpr uint64_t kMappedMaxWholeFile = 0x7FFFFFFE;

class MappedBuffer {
public:
    MappedBuffer() = default;
    MappedBuffer(const std::string& path, const std::string& mapping_name, uint32_t flags, uint32_t length);
    MappedBuffer(const std::string& path, uint32_t flags, uint32_t length);
    ~MappedBuffer();
    MappedBuffer(const MappedBuffer&) = delete;
    MappedBuffer& operator=(const MappedBuffer&) = delete;

    // An empty path maps anonymous shared memory (named ones are shared through
    // the system under mapping_name). Length 0 maps a whole existing file.
    bool open(const std::string& path, const std::string& mapping_name, uint32_t flags, uint32_t length);
    bool open(const std::string& path, uint32_t flags, uint32_t length);
    // Maps anew with the new length; a failure leaves nothing mapped.
    bool resize(uint32_t length, const std::string& mapping_name);
    bool grow(uint32_t length);
    // Flushes the view and the file before closing them; false when any of these
    // steps reported an error, so a writer knows its bytes may not have arrived.
    bool close();

    uint8_t* data() const { return view_; }
    uint32_t length() const { return length_; }
    bool is_mapped() const { return mapped_; }
    bool is_file_backed() const { return !path_.empty(); }
    bool is_page_file() const { return path_.empty(); }
    uint32_t flags() const { return flags_; }
    const std::string& path() const { return path_; }
    const std::string& mapping_name() const { return mapping_name_; }
    File& file() { return file_; }

    // Does nothing on a read-only view, which cannot take writes.
    void zero();
    bool save_to(const std::string& path) const;

private:
    bool map_file(uint32_t length);
    bool map_page_file(uint32_t length);
    bool unmap_view();
    void close_mapping();

    File file_;
    int shm_fd_ = -1;
    std::string shm_name_;  // the system name in use, unlinked at close
    bool mapped_ = false;
    uint32_t flags_ = 0;
    uint8_t* view_ = nullptr;
    uint32_t length_ = 0;
    std::string path_;
    std::string mapping_name_;
};

class BufferCursor {
public:
    explicit BufferCursor(MappedBuffer& buffer, uint32_t position = 0) : buffer_(buffer), position_(position) {}
    void set_position(uint32_t position) { position_ = position; }
    uint32_t position() const { return position_; }
    // Null beyond the mapped length; the end itself is a valid pointer.
    uint8_t* at() const;
    // Grows the buffer when the bytes reach past it; null when that fails.
    uint8_t* reserve(uint32_t bytes);

private:
    MappedBuffer& buffer_;
    uint32_t position_;
};

}  // namespace Qx
