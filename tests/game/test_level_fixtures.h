#pragma once
// Byte-level fixtures for the level-format tests: raw records with chosen
// bytes, sets loaded from memory, and level-set files in a temporary folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "game/level/level_base.h"

namespace level_fixtures {

using Bytes = std::vector<uint8_t>;

constexpr size_t kClassicSize = 1536;
constexpr size_t kInfo = 1440;  // the information block of a classic record

inline Bytes classic_record() { return Bytes(kClassicSize, 0); }

inline void put_u16le(Bytes& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
inline void put_u32le(Bytes& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + size_t(k)] = uint8_t(v >> (8 * k));
}

constexpr uint32_t kVersion1 = 0x00010001;
constexpr uint32_t kVersionBlank = 0x20202020;

// An extended record: header with the given fields, then body_bytes zero bytes.
inline Bytes extended_record(uint32_t width, uint32_t height, uint32_t version, uint32_t body_field,
                             size_t body_bytes) {
    Bytes b(20 + body_bytes, 0);
    b[0] = 'H', b[1] = 'X', b[2] = 'M', b[3] = ' ';
    put_u32le(b, 4, version);
    put_u16le(b, 8, width);
    put_u16le(b, 10, height);
    put_u32le(b, 16, body_field);
    return b;
}
// A well-formed version-1 record of exactly the needed length.
inline Bytes extended_record(uint32_t width, uint32_t height) {
    const uint32_t body = width * height + 96;
    return extended_record(width, height, kVersion1, body, body);
}
// Offset of the information block of an extended record.
inline size_t extended_info(uint32_t width, uint32_t height) { return 20 + size_t(width) * height; }

inline Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes prefix(const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + std::ptrdiff_t(n)); }

inline bool load_from_bytes(KV_LevelSetBase& set, const Bytes& bytes) {
    KV_MemorySource source(bytes.data(), bytes.size());
    return set.LoadFrom(source);
}

// A file in the test's temporary folder, removed again at the end of the test.
class TempFile {
public:
    TempFile(const std::string& name, const Bytes& bytes) : path_(::testing::TempDir() + unique() + name) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    static std::string unique() {
        static int n = 0;
        return "kv_level_" + std::to_string(::getpid()) + "_" + std::to_string(n++) + "_";
    }
    std::string path_;
};

}  // namespace level_fixtures
