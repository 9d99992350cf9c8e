#include "game/level/level_writer.h"

#include <array>
#include <sstream>

#include "game/level/hexmoor_level.h"
#include "game/level/torvane_level.h"

namespace {

void put_u16le(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void put_u32le(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + size_t(k)] = uint8_t(v >> (8 * k));
}

// Map characters; 0xff marks a character without a meaning.
constexpr uint8_t NO_TILE = 0xff;

std::array<uint8_t, 256> default_legend() {
    std::array<uint8_t, 256> l;
    l.fill(NO_TILE);
    auto put = [&l](char c, uint8_t code) { l[uint8_t(c)] = code; };
    put(' ', KV_TILE_EMPTY);
    put('O', KV_TILE_GROBBLE);
    put('.', KV_TILE_BASE);
    put('P', KV_TILE_PLAYER);
    put('q', KV_TILE_QUARKEL);
    put('R', KV_TILE_RAM);
    put('#', KV_TILE_HARDWARE);
    put('E', KV_TILE_EXIT);
    put('o', KV_TILE_DISK_ORANGE);
    put('>', KV_TILE_PORT_L_TO_R);
    put('v', KV_TILE_PORT_U_TO_D);
    put('<', KV_TILE_PORT_R_TO_L);
    put('^', KV_TILE_PORT_D_TO_U);
    put('G', KV_TILE_GNARROW);
    put('y', KV_TILE_DISK_YELLOW);
    put('T', KV_TILE_TERMINAL);
    put('r', KV_TILE_DISK_RED);
    put('|', KV_TILE_PORT_VERTICAL);
    put('-', KV_TILE_PORT_HORIZONTAL);
    put('+', KV_TILE_PORT_CROSS);
    put('e', KV_TILE_ELECTRON);
    put('B', KV_TILE_BUG);
    put('W', KV_TILE_INVISIBLE_WALL);
    for (int v = 1; v <= 9; ++v) put(char('0' + v), uint8_t(KV_TILE_HARDWARE_1 + v - 1));
    put('0', KV_TILE_HARDWARE_10);
    return l;
}

// A plain one-way port becomes the switchable tile of the same direction.
uint8_t switchable_port(uint8_t code) {
    if (code >= KV_TILE_PORT_L_TO_R && code <= KV_TILE_PORT_D_TO_U)
        return uint8_t(code - KV_TILE_PORT_L_TO_R + KV_TILE_SPECIAL_L_TO_R);
    if (code >= KV_TILE_SPECIAL_L_TO_R && code <= KV_TILE_SPECIAL_D_TO_U) return code;
    return NO_TILE;
}

std::string trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    const size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

bool parse_switch(const std::string& v, bool& out) {
    if (v == "on" || v == "yes" || v == "1") return out = true, true;
    if (v == "off" || v == "no" || v == "0") return out = false, true;
    return false;
}

bool parse_int(const std::string& v, long lo, long hi, long& out) {
    if (v.empty()) return false;
    size_t used = 0;
    try {
        out = std::stol(v, &used, 10);
    } catch (...) {
        return false;
    }
    return used == v.size() && out >= lo && out <= hi;
}

class SourceParser {
public:
    bool run(const std::string& text, KV_LevelSetDraft& out, std::string& error) {
        if (!parse(text)) {
            error = error_;
            return false;
        }
        out = set_;
        return true;
    }

private:
    bool parse(const std::string& text);
    bool fail(const std::string& what) {
        error_ = "line " + std::to_string(line_no_) + ": " + what;
        return false;
    }
    bool header_line(const std::string& key, const std::string& value);
    bool finish_map();
    bool check_level(KV_LevelDraft& d);

    std::array<uint8_t, 256> legend_ = default_legend();
    KV_LevelSetDraft set_;
    bool have_format_ = false;
    bool in_level_ = false;
    bool in_map_ = false;
    bool map_done_ = false;
    KV_LevelDraft level_;
    struct PortLine {
        KV_SpecialPort port;
        int line;
    };
    std::vector<PortLine> ports_;
    std::vector<std::string> rows_;
    int map_line_ = 0;
    int line_no_ = 0;
    std::string error_;
};

bool SourceParser::header_line(const std::string& key, const std::string& value) {
    if (key == "format") {
        if (in_level_ || have_format_) return fail("the format comes once, before the first level");
        if (value == "classic") set_.format = KV_SetFormat::Classic;
        else if (value == "extended") set_.format = KV_SetFormat::Extended;
        else if (value == "extended-blank") set_.format = KV_SetFormat::ExtendedBlank;
        else return fail("unknown format '" + value + "'");
        have_format_ = true;
        return true;
    }
    if (key == "legend") {
        // "c = code"; the character may itself be '=' or a blank only through code 0.
        const size_t eq = value.find('=', 1);
        const std::string ch = eq == std::string::npos ? std::string() : trim(value.substr(0, eq));
        long code = 0;
        if (ch.size() != 1 || !parse_int(trim(value.substr(eq + 1)), 0, 255, code))
            return fail("legend wants 'character = tile code (0..255)'");
        legend_[uint8_t(ch[0])] = uint8_t(code);
        return true;
    }
    if (key == "level") {
        if (!have_format_) return fail("a 'format:' line comes before the first level");
        if (in_level_ && !map_done_) return fail("the previous level has no map");
        if (in_level_ && !check_level(level_)) return false;
        if (in_level_) set_.levels.push_back(level_);
        level_ = KV_LevelDraft();
        ports_.clear();
        in_level_ = true;
        map_done_ = false;
        return true;
    }
    if (!in_level_) return fail("'" + key + ":' belongs inside a level");
    if (key == "title") {
        if (value.size() > KV_InfoBlock::TITLE_LENGTH) return fail("the title is longer than 23 characters");
        for (char c : value)
            if (uint8_t(c) < 0x20 || uint8_t(c) > 0x7e) return fail("the title holds a character outside printable ASCII");
        level_.title = value;
        return true;
    }
    if (key == "quota") {
        long q = 0;
        if (!parse_int(value, 0, 255, q)) return fail("the quota is a number 0..255");
        level_.quarkels_needed = uint8_t(q);
        return true;
    }
    if (key == "gravity") return parse_switch(value, level_.gravity) || fail("gravity is 'on' or 'off'");
    if (key == "freeze") return parse_switch(value, level_.freeze_grobbles) || fail("freeze is 'on' or 'off'");
    if (key == "info5") {
        long v = 0;
        if (!parse_int(value, 0, 255, v)) return fail("info5 is a number 0..255");
        level_.info_byte5 = uint8_t(v);
        return true;
    }
    if (key == "port") {
        std::istringstream in(value);
        std::string xs, ys, sw;
        long x = 0, y = 0;
        if (!(in >> xs >> ys) || !parse_int(xs, 0, 255, x) || !parse_int(ys, 0, 255, y))
            return fail("port wants 'column row [gravity] [freeze-grobbles] [freeze-enemies]'");
        KV_SpecialPort p;
        p.x = int32_t(x);
        p.y = int32_t(y);
        while (in >> sw) {
            if (sw == "gravity") p.gravity = true;
            else if (sw == "freeze-grobbles") p.freeze_grobbles = true;
            else if (sw == "freeze-enemies") p.freeze_enemies = true;
            else if (sw != "none") return fail("unknown port switch '" + sw + "'");
        }
        if (ports_.size() >= size_t(KV_InfoBlock::MAX_PORTS)) return fail("a level holds at most ten special ports");
        ports_.push_back({p, line_no_});
        return true;
    }
    if (key == "map") {
        if (map_done_) return fail("the level already has a map");
        in_map_ = true;
        rows_.clear();
        map_line_ = line_no_;
        return true;
    }
    return fail("unknown key '" + key + "'");
}

bool SourceParser::finish_map() {
    in_map_ = false;
    map_done_ = true;
    if (rows_.empty()) return fail("empty map");
    const size_t w = rows_[0].size();
    const bool classic = set_.format == KV_SetFormat::Classic;
    const size_t lo = classic ? size_t(KV_Classic::WIDTH) : size_t(KV_Extended::MIN_SIZE);
    const size_t hi = classic ? size_t(KV_Classic::WIDTH) : size_t(KV_Extended::MAX_SIZE);
    const size_t hlo = classic ? size_t(KV_Classic::HEIGHT) : size_t(KV_Extended::MIN_SIZE);
    const size_t hhi = classic ? size_t(KV_Classic::HEIGHT) : size_t(KV_Extended::MAX_SIZE);
    line_no_ = map_line_;
    if (w < lo || w > hi || rows_.size() < hlo || rows_.size() > hhi)
        return fail("the map is " + std::to_string(w) + " x " + std::to_string(rows_.size()) +
                    (classic ? ", a classic map is 60 x 24" : ", an extended map is 3..256 each way"));
    level_.width = int32_t(w);
    level_.height = int32_t(rows_.size());
    level_.tiles.clear();
    for (size_t y = 0; y < rows_.size(); ++y) {
        line_no_ = map_line_ + 1 + int(y);
        if (rows_[y].size() != w) return fail("map rows differ in width");
        for (size_t x = 0; x < w; ++x) {
            const uint8_t code = legend_[uint8_t(rows_[y][x])];
            if (code == NO_TILE) return fail(std::string("unknown map character '") + rows_[y][x] + "'");
            const bool ring = x == 0 || y == 0 || x + 1 == w || y + 1 == rows_.size();
            // The loaders force the ring to plain Hardware: say so in the picture.
            if (ring && code != KV_TILE_HARDWARE) return fail("the outer ring of the map must be '#'");
            level_.tiles.push_back(code);
        }
    }
    return true;
}

bool SourceParser::check_level(KV_LevelDraft& d) {
    bool player = false;
    for (uint8_t t : d.tiles) player = player || t == KV_TILE_PLAYER;
    if (!player) return fail("the level has no player 'P'");
    for (const PortLine& pl : ports_) {
        line_no_ = pl.line;
        const KV_SpecialPort& p = pl.port;
        if (p.x <= 0 || p.y <= 0 || p.x >= d.width - 1 || p.y >= d.height - 1)
            return fail("the special port lies outside the field's inside");
        // Positions are stored as 2 x index in sixteen bits.
        if (p.y * d.width + p.x > 0x7fff) return fail("the special port lies beyond what a record can address");
        uint8_t& tile = d.tiles[size_t(p.y * d.width + p.x)];
        const uint8_t special = switchable_port(tile);
        if (special == NO_TILE) return fail("a special port must lie on a one-way port tile");
        tile = special;
        d.ports.push_back(p);
    }
    return true;
}

bool SourceParser::parse(const std::string& text) {
    std::istringstream in(text);
    std::string raw;
    while (std::getline(in, raw)) {
        ++line_no_;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (in_map_) {
            if (trim(raw) == "end") {
                const int at = line_no_;
                if (!finish_map()) return false;
                line_no_ = at;
            } else {
                rows_.push_back(raw);
            }
            continue;
        }
        const std::string line = trim(raw);
        if (line.empty() || line[0] == '#') continue;
        const size_t colon = line.find(':');
        if (colon == std::string::npos) return fail("expected 'key: value'");
        if (!header_line(trim(line.substr(0, colon)), trim(line.substr(colon + 1)))) return false;
    }
    if (in_map_) return fail("the map has no 'end'");
    if (in_level_ && !map_done_) return fail("the last level has no map");
    if (in_level_) {
        if (!check_level(level_)) return false;
        set_.levels.push_back(level_);
    }
    if (set_.levels.empty()) return fail("the source holds no level");
    return true;
}

}  // namespace

std::vector<uint8_t> kv_encode_info_block(const KV_LevelDraft& d) {
    namespace B = KV_InfoBlock;
    std::vector<uint8_t> info(B::SIZE, 0);
    info[B::GRAVITY] = d.gravity ? 1 : 0;
    info[B::BYTE5] = d.info_byte5;
    for (size_t i = 0; i < B::TITLE_LENGTH; ++i) info[B::TITLE + i] = i < d.title.size() ? uint8_t(d.title[i]) : ' ';
    info[B::FREEZE_GROBBLES] = d.freeze_grobbles ? 2 : 0;
    info[B::QUARKELS_NEEDED] = d.quarkels_needed;
    const size_t count = std::min(d.ports.size(), size_t(B::MAX_PORTS));
    info[B::PORT_COUNT] = uint8_t(count);
    for (size_t i = 0; i < count; ++i) {
        const KV_SpecialPort& p = d.ports[i];
        const uint32_t value = uint32_t(p.y * d.width + p.x) * 2;
        uint8_t* r = &info[B::PORTS + B::PORT_SIZE * i];
        r[0] = uint8_t(value >> 8);
        r[1] = uint8_t(value);
        r[B::PORT_GRAVITY] = p.gravity ? 1 : 0;
        r[B::PORT_FREEZE_GROBBLES] = p.freeze_grobbles ? 2 : 0;
        r[B::PORT_FREEZE_ENEMIES] = p.freeze_enemies ? 1 : 0;
    }
    return info;
}

std::vector<uint8_t> kv_encode_classic_record(const KV_LevelDraft& d) {
    if (d.width != KV_Classic::WIDTH || d.height != KV_Classic::HEIGHT || d.tiles.size() != KV_Classic::TILES)
        return {};
    std::vector<uint8_t> rec(d.tiles);
    const std::vector<uint8_t> info = kv_encode_info_block(d);
    rec.insert(rec.end(), info.begin(), info.end());
    return rec;
}

std::vector<uint8_t> kv_encode_extended_record(const KV_LevelDraft& d, bool blank_version) {
    using namespace KV_Extended;
    if (d.width < MIN_SIZE || d.width > MAX_SIZE || d.height < MIN_SIZE || d.height > MAX_SIZE ||
        d.tiles.size() != size_t(d.width) * size_t(d.height))
        return {};
    std::vector<uint8_t> rec(HEADER_SIZE, 0);
    for (size_t i = 0; i < sizeof MAGIC; ++i) rec[i] = uint8_t(MAGIC[i]);
    put_u32le(rec, VERSION_OFFSET, blank_version ? VERSION_BLANK : VERSION_1);
    put_u16le(rec, WIDTH_OFFSET, uint32_t(d.width));
    put_u16le(rec, HEIGHT_OFFSET, uint32_t(d.height));
    put_u32le(rec, BODY_SIZE_OFFSET, blank_version ? 0 : uint32_t(d.tiles.size() + KV_InfoBlock::SIZE));
    rec.insert(rec.end(), d.tiles.begin(), d.tiles.end());
    const std::vector<uint8_t> info = kv_encode_info_block(d);
    rec.insert(rec.end(), info.begin(), info.end());
    return rec;
}

std::vector<uint8_t> kv_encode_levelset(const KV_LevelSetDraft& set) {
    std::vector<uint8_t> out;
    for (const KV_LevelDraft& d : set.levels) {
        const std::vector<uint8_t> rec = set.format == KV_SetFormat::Classic
                                             ? kv_encode_classic_record(d)
                                             : kv_encode_extended_record(d, set.format == KV_SetFormat::ExtendedBlank);
        out.insert(out.end(), rec.begin(), rec.end());
    }
    return out;
}

bool kv_parse_level_source(const std::string& text, KV_LevelSetDraft& out, std::string& error) {
    SourceParser parser;
    return parser.run(text, out, error);
}

const char* kv_levelset_extension(KV_SetFormat format) {
    return format == KV_SetFormat::Classic ? "dat" : "hxm";
}
