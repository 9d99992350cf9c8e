// Runs a level without a display and prints one line per logic tick, for tests
// of the game rules on real levels and for debugging a game.
//
//   karvolt-trace LEVELSET_FILE LEVEL_NUMBER SEED KEYS TICKS [--dump]
//
// LEVEL_NUMBER is 0-based. KEYS is a comma-separated list of MASKxCOUNT items
// (mask 1 left, 2 up, 4 right, 8 down, 16 fire), e.g. "4x20,0x5,16x140"; the
// last mask repeats when the script is shorter than TICKS. Ticks are numbered
// from 1. After each tick:
//
//   <tick> state=<mask> moves=<n> q=<collected> red=<disks> p=<x>,<y> snd=<16 counters> <digest>
//
// where the digest is the 64-bit FNV-1a hash of layers 0..3 in layer, row,
// column order (columns 0..width-1), each cell as u16 type, u32 flags and its
// 8 state bytes, little-endian. --dump adds one line per cell that is not Empty:
//
//   L<layer> (<x>,<y>) type=<t> flags=0x<hex> s=<the 8 state bytes in hex, byte 0 first>
//
// A fatal game error prints "<tick> FATAL <message>" and ends the run (exit 3).
#include <ClanLib/Core/System/error.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/level/level.h"
#include "game/level/level_base.h"
#include "game/level/levelset_registry.h"
#include "game/objects/interfaces.h"
#include "game/play/field_digest.h"
#include "game/play/game.h"

namespace {

struct KeyRun {
    int32_t mask;
    uint64_t count;
};

bool parse_number(const std::string& s, uint64_t max, uint64_t& out) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos || s.size() > 19) return false;
    out = std::strtoull(s.c_str(), nullptr, 10);
    return out <= max;
}

// "MASKxCOUNT,..."; a bare MASK counts once. Empty: no key at all.
bool parse_keys(const std::string& text, std::vector<KeyRun>& out) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        const size_t x = item.find('x');
        uint64_t mask = 0, count = 1;
        if (!parse_number(item.substr(0, x), 0xffff, mask)) return false;
        if (x != std::string::npos && !parse_number(item.substr(x + 1), UINT32_MAX, count)) return false;
        out.push_back({int32_t(mask), count});
        start = end + 1;
    }
    return true;
}

class KeyScript {
public:
    explicit KeyScript(std::vector<KeyRun> runs) : runs_(std::move(runs)) {}
    int32_t next() {
        while (i_ < runs_.size() && used_ >= runs_[i_].count) {
            ++i_;
            used_ = 0;
        }
        if (i_ < runs_.size()) {
            ++used_;
            return runs_[i_].mask;
        }
        return runs_.empty() ? 0 : runs_.back().mask;
    }

private:
    std::vector<KeyRun> runs_;
    size_t i_ = 0;
    uint64_t used_ = 0;
};

void print_tick(uint64_t tick, KV_Level& level) {
    const KV_LevelStatus& st = *level.get_status();
    const KV_SoundEvents& snd = *level.get_sound_events();
    std::printf("%" PRIu64 " state=%d moves=%d q=%d red=%d p=%d,%d snd=", tick, st.get_state(), st.get_moves(),
                st.get_quarkels(), st.get_red_disks(), level.get_player_x(), level.get_player_y());
    for (int i = 0; i < KV_SOUND_EVENT_COUNT; ++i) std::printf(i ? ",%d" : "%d", snd.count(i));
    std::printf(" %016" PRIx64 "\n", kv_field_digest(level));
}

void dump_cells(const KV_Level& level) {
    for (int l = 0; l < KV_LAYER_COUNT; ++l)
        for (int32_t y = 0; y < level.get_height(); ++y)
            for (int32_t x = 0; x < level.get_width(); ++x) {
                const KV_Cell& c = level.at(l, x, y);
                if (c.is(KV_ObjectType::Empty)) continue;
                std::printf("  L%d (%d,%d) type=%u flags=0x%02x s=", l, x, y, unsigned(c.type), unsigned(c.flags));
                for (uint8_t b : c.state) std::printf("%02x", b);
                std::printf("\n");
            }
}

int usage() {
    std::fprintf(stderr, "usage: karvolt-trace LEVELSET_FILE LEVEL_NUMBER SEED KEYS TICKS [--dump]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6 && argc != 7) return usage();
    const bool dump = argc == 7;
    if (dump && std::string(argv[6]) != "--dump") return usage();
    uint64_t number = 0, seed = 0, ticks = 0;
    std::vector<KeyRun> runs;
    if (!parse_number(argv[2], INT32_MAX, number) || !parse_number(argv[3], UINT32_MAX, seed) ||
        !parse_keys(argv[4], runs) || !parse_number(argv[5], UINT64_MAX / 2, ticks))
        return usage();

    const std::shared_ptr<KV_LevelSetBase> set = open_levelset(argv[1]);
    if (!set) {
        std::fprintf(stderr, "%s: not a level set that loads\n", argv[1]);
        return 2;
    }
    const std::shared_ptr<KV_LevelBase> record = set->GetLevel(int(number));
    if (!record) {
        std::fprintf(stderr, "%s: no level %" PRIu64 " (the set holds %d)\n", argv[1], number, set->GetCount());
        return 2;
    }

    uint64_t tick = 0;
    try {
        KV_Interfaces::init_once();
        const std::shared_ptr<KV_Level> level = record->ToGenericLevel();
        if (!level) {
            std::fprintf(stderr, "%s: level %" PRIu64 " does not convert\n", argv[1], number);
            return 2;
        }
        level->set_random_seed(uint32_t(seed));
        KV_Game game;
        game.set_level(level);
        KeyScript keys(std::move(runs));
        for (tick = 1; tick <= ticks; ++tick) {
            *level->get_input() = keys.next();
            game.process();
            print_tick(tick, *level);
            if (dump) dump_cells(*level);
        }
    } catch (const CL_Error& e) {
        std::printf("%" PRIu64 " FATAL %s\n", tick, e.message.c_str());
        return 3;
    }
    return 0;
}
