#pragma once
// The bytes of a BTS file: header, record layout and value type codes.
#include <cstddef>
#include <cstdint>

namespace Qx {

// Value type codes; folder records carry kBtsFolderType instead.
enum BtsType : uint32_t {
    BTS_INT8 = 16,
    BTS_UINT8 = 17,
    BTS_INT16 = 18,
    BTS_UINT16 = 19,
    BTS_INT32 = 20,
    BTS_UINT32 = 21,
    BTS_INT64 = 22,
    BTS_UINT64 = 23,
    BTS_FLOAT32 = 24,
    BTS_FLOAT64 = 25,
    BTS_STRING = 26,
    BTS_WSTRING = 27,
};

constexpr uint32_t kBtsFolderType = 1;
constexpr uint32_t kBtsFolderDataLength = 8;  // value count, subfolder count
constexpr uint8_t kBtsMagic[4] = {'B', 'T', 'S', '0'};
constexpr size_t kBtsHeaderSize = 16;
constexpr size_t kBtsRecordHeaderSize = 12;
constexpr size_t kBtsMinRecordSize = 16;
constexpr uint32_t kBtsPageSize = 4096;
// A file longer than this is refused by the reader, so the writer never goes past it.
constexpr uint64_t kBtsMaxFileSize = 0x7FFFFFFE;
// Folders in one chain from the top folder down (the top folder counts as one).
// Deeper trees fail to load and fail to save; the program's own files use three.
constexpr int kBtsMaxDepth = 64;

constexpr uint64_t bts_pad4(uint64_t x) { return (x + 3) & ~uint64_t(3); }

// The fixed part of every record.
struct BtsRecord {
    uint32_t type = 0;
    uint32_t name_length = 0;
    uint32_t data_length = 0;

    // Computed in 64 bits so that lengths near 2^32 cannot wrap.
    uint64_t length() const {
        uint64_t body = bts_pad4(name_length) + bts_pad4(data_length);
        uint64_t len = kBtsRecordHeaderSize + body;
        return len < kBtsMinRecordSize ? kBtsMinRecordSize : len;
    }
    uint64_t name_offset() const { return kBtsRecordHeaderSize; }
    uint64_t data_offset() const { return kBtsRecordHeaderSize + bts_pad4(name_length); }
    bool is_folder() const {
        return type == kBtsFolderType && data_length == kBtsFolderDataLength;
    }
};

inline uint32_t bts_read_u32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void bts_write_u32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

inline BtsRecord bts_read_record(const uint8_t* p) {
    return BtsRecord{bts_read_u32(p), bts_read_u32(p + 4), bts_read_u32(p + 8)};
}

inline void bts_write_record_header(uint8_t* p, const BtsRecord& r) {
    bts_write_u32(p, r.type);
    bts_write_u32(p + 4, r.name_length);
    bts_write_u32(p + 8, r.data_length);
}

}  // namespace Qx
