#pragma once
// The extended format: each record opens with a 20-byte header ("HXM ", version,
// width and height 3..256, body size), then width x height tile codes and the
// information block. A set is such records back to back.
#include "game/level/level_record.h"

namespace KV_Extended {
constexpr size_t HEADER_SIZE = 20;
constexpr char MAGIC[4] = {'H', 'X', 'M', ' '};
constexpr uint32_t VERSION_1 = 0x00010001;
constexpr uint32_t VERSION_BLANK = 0x20202020;  // four blanks; no body size
constexpr size_t VERSION_OFFSET = 4;
constexpr size_t WIDTH_OFFSET = 8;
constexpr size_t HEIGHT_OFFSET = 10;
constexpr size_t BODY_SIZE_OFFSET = 16;
constexpr int32_t MIN_SIZE = 3;
constexpr int32_t MAX_SIZE = 256;
constexpr uint32_t MAX_BODY_SIZE = 0x200000;

// What a valid header says; body_size is the record's length after the header.
struct Header {
    uint32_t version = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t body_size = 0;
};
// Magic, version and size checks over 20 header bytes; for version 1 also the
// body-size limits. False for anything else.
bool parse_header(const uint8_t* bytes, Header& out);
}  // namespace KV_Extended

class KV_HexmoorLevel : public KV_StoredLevel {
public:
    explicit KV_HexmoorLevel(int revision = KV_LEVEL_REVISION_CURRENT) : KV_StoredLevel(0, 0, revision) {}

    int GetType() const override { return KV_LEVEL_EXTENDED; }
    // Every check comes before the object changes: a refused record leaves it as it was.
    bool Load(const std::vector<uint8_t>& record) override;
    std::shared_ptr<KV_LevelBase> Create(int revision) const override;
};

class KV_HexmoorLevelset : public KV_LevelSetBase {
public:
    std::shared_ptr<KV_LevelBase> GetLevel(int i) const override;
    // Records up to the end of the data; any bad header, body size or short body,
    // or more than MAX_LEVELS records, fails the whole set.
    bool LoadFrom(KV_ByteSource& source) override;
    std::shared_ptr<KV_LevelSetBase> Create() const override;
};
