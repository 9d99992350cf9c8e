#include "game/level/level_record.h"

#include <cctype>

#include "game/level/level.h"

namespace {

// Code page 1251's capitals 0xC0..0xDF in Latin, with Yo (0xA8) in its
// alphabetical place after E; the hard and soft signs become apostrophes.
constexpr char kLatinCapitals[] = "ABVGDEEZZIIKLMNOPRSTUFHCCSS'Y'EUA";
constexpr int kYoIndex = 6;

char latin_capital(uint8_t b) {
    if (b == 0xA8) return kLatinCapitals[kYoIndex];
    const int i = b - 0xC0;
    return kLatinCapitals[i < kYoIndex ? i : i + 1];
}

char transliterate_byte(uint8_t b) {
    if (b < 0x20) return '-';
    if (b < 0x80) return char(b);
    if (b == 0xA8 || (b >= 0xC0 && b <= 0xDF)) return latin_capital(b);
    if (b == 0xB8 || b >= 0xE0) {
        // Small letters sit 0x20 above their capitals (small yo 0x10 above).
        const char capital = latin_capital(uint8_t(b == 0xB8 ? 0xA8 : b - 0x20));
        return char(std::tolower(uint8_t(capital)));
    }
    return '?';
}

}  // namespace

std::string transliterate_title(const std::string& s) {
    std::string out(s.size(), ' ');
    for (size_t i = 0; i < s.size(); ++i) out[i] = transliterate_byte(uint8_t(s[i]));
    return out;
}

namespace {

// Port positions are decoded with c.width.
void read_info_block(const uint8_t* info, KV_LevelContent& c) {
    namespace B = KV_InfoBlock;
    c.gravity = info[B::GRAVITY] != 0;
    c.info_byte5 = info[B::BYTE5];
    c.freeze_grobbles = info[B::FREEZE_GROBBLES] == 2;
    c.title = transliterate_title(std::string(reinterpret_cast<const char*>(info + B::TITLE), B::TITLE_LENGTH));
    c.quarkels_needed = info[B::QUARKELS_NEEDED];
    c.ports.clear();
    const int count = info[B::PORT_COUNT];
    if (count < 1 || count > B::MAX_PORTS || c.width <= 0) return;
    for (int i = 0; i < count; ++i) {
        const uint8_t* p = info + B::PORTS + B::PORT_SIZE * size_t(i);
        // Big-endian, two bytes per cell: an odd value loses its low bit.
        const int32_t index = ((int32_t(p[0]) << 8) | p[1]) >> 1;
        KV_SpecialPort port;
        port.x = index % c.width;
        port.y = index / c.width;
        port.gravity = p[B::PORT_GRAVITY] == 1;
        port.freeze_grobbles = p[B::PORT_FREEZE_GROBBLES] == 2;
        port.freeze_enemies = p[B::PORT_FREEZE_ENEMIES] == 1;
        c.ports.push_back(port);
    }
}

void force_border_and_quota(KV_LevelContent& c) {
    const int32_t w = c.width, h = c.height;
    for (int32_t y = 0; y < h; ++y) {
        c.tiles[size_t(y * w)] = KV_TILE_HARDWARE;
        c.tiles[size_t(y * w + w - 1)] = KV_TILE_HARDWARE;
    }
    for (int32_t x = 0; x < w; ++x) {
        c.tiles[size_t(x)] = KV_TILE_HARDWARE;
        c.tiles[size_t((h - 1) * w + x)] = KV_TILE_HARDWARE;
    }
    if (c.quarkels_needed != 0) return;
    int32_t count = 0;
    for (uint8_t t : c.tiles)
        if (t == KV_TILE_QUARKEL) ++count;
    c.quarkels_needed = count;
}

}  // namespace

void KV_StoredLevel::take_record(const std::vector<uint8_t>& record, int32_t width, int32_t height, size_t tiles_at) {
    const size_t tiles = size_t(width) * size_t(height);
    KV_LevelContent c;
    c.width = width;
    c.height = height;
    c.raw = record;
    c.tiles.assign(record.begin() + std::ptrdiff_t(tiles_at), record.begin() + std::ptrdiff_t(tiles_at + tiles));
    read_info_block(record.data() + tiles_at + tiles, c);
    force_border_and_quota(c);
    content_ = std::move(c);
}

std::shared_ptr<KV_Level> KV_StoredLevel::ToGenericLevel() const { return ConvertToGenericLevel(this); }

bool KV_StoredLevel::GetData(std::vector<uint8_t>& out) const {
    if (content_.raw.empty()) return false;
    out = content_.raw;
    return true;
}
