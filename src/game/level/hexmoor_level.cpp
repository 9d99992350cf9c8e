#include "game/level/hexmoor_level.h"

#include <cstring>

#include "game/level/level_registry.h"

namespace {

uint16_t read_u16le(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t read_u32le(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool size_ok(int32_t n) { return n >= KV_Extended::MIN_SIZE && n <= KV_Extended::MAX_SIZE; }

// Magic, version and width/height, shared by the level and the set.
bool parse_frame(const uint8_t* bytes, KV_Extended::Header& h) {
    using namespace KV_Extended;
    if (std::memcmp(bytes, MAGIC, sizeof MAGIC) != 0) return false;
    h.version = read_u32le(bytes + VERSION_OFFSET);
    if (h.version != VERSION_1 && h.version != VERSION_BLANK) return false;
    h.width = read_u16le(bytes + WIDTH_OFFSET);
    h.height = read_u16le(bytes + HEIGHT_OFFSET);
    return size_ok(h.width) && size_ok(h.height);
}

size_t tiles_and_info(const KV_Extended::Header& h) {
    return size_t(h.width) * size_t(h.height) + KV_InfoBlock::SIZE;
}

}  // namespace

bool KV_Extended::parse_header(const uint8_t* bytes, Header& h) {
    if (!parse_frame(bytes, h)) return false;
    const size_t needed = tiles_and_info(h);
    if (h.version == VERSION_BLANK) {
        h.body_size = uint32_t(needed);
        return true;
    }
    h.body_size = read_u32le(bytes + BODY_SIZE_OFFSET);
    return h.body_size >= needed && h.body_size <= MAX_BODY_SIZE;
}

bool KV_HexmoorLevel::Load(const std::vector<uint8_t>& record) {
    using namespace KV_Extended;
    // The body-size field is not consulted here: a record is good when it holds
    // the tiles and the information block, whatever the header claims.
    Header h;
    if (record.size() < HEADER_SIZE || !parse_frame(record.data(), h)) return false;
    const size_t tiles = size_t(h.width) * size_t(h.height);
    if (record.size() < HEADER_SIZE + tiles + KV_InfoBlock::SIZE) return false;

    take_record(record, h.width, h.height, HEADER_SIZE);
    return true;
}

std::shared_ptr<KV_LevelBase> KV_HexmoorLevel::Create(int revision) const {
    if (!kv_is_level_revision(revision)) return nullptr;
    return std::make_shared<KV_HexmoorLevel>(revision);
}

std::shared_ptr<KV_LevelBase> KV_HexmoorLevelset::GetLevel(int i) const {
    const std::vector<uint8_t>* record = record_at(i);
    if (!record) return nullptr;
    return create_level(KV_LEVEL_EXTENDED, KV_LEVEL_REVISION_CURRENT, *record);
}

bool KV_HexmoorLevelset::LoadFrom(KV_ByteSource& source) {
    using namespace KV_Extended;
    records_.clear();
    for (;;) {
        uint8_t header[HEADER_SIZE];
        // Stray bytes shorter than a header end the file quietly.
        if (source.read(header, HEADER_SIZE) < HEADER_SIZE) break;
        Header h;
        // A body longer than what is left cannot be read: refuse it before
        // allocating for it.
        if (!parse_header(header, h) || h.body_size > source.remaining() || records_.size() >= size_t(MAX_LEVELS)) {
            records_.clear();
            return false;
        }
        std::vector<uint8_t> record(HEADER_SIZE + h.body_size);
        std::memcpy(record.data(), header, HEADER_SIZE);
        if (source.read(record.data() + HEADER_SIZE, h.body_size) < h.body_size) {
            records_.clear();
            return false;
        }
        records_.push_back(std::move(record));
    }
    return !records_.empty();
}

std::shared_ptr<KV_LevelSetBase> KV_HexmoorLevelset::Create() const {
    return std::make_shared<KV_HexmoorLevelset>();
}
