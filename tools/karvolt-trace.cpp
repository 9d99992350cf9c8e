// Runs a level without a display and prints one line per logic tick, for tests
// of the game rules on real levels and for debugging a game.
//
//   karvolt-trace LEVELSET_FILE LEVEL_NUMBER SEED KEYS TICKS [--dump] [--save-demo FILE.kvd] [--shot FILE.png]
//   karvolt-trace --demo FILE.kvd [--dump]
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
//
// --save-demo also writes the run as a demo file (the level set's file name and
// the level number in it, no player, no date), unless the run ended in a fatal
// error. --demo replays a demo file to the end of its keys and prints the same
// lines; a file that is no demo gives the reason on stderr and exit 1.
#include <ClanLib/Core/System/error.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/bts_folder.h"
#include "game/level/level.h"
#include "game/level/level_base.h"
#include "game/play/demo.h"
#include "game/play/game.h"
#include "game/play/key_stream.h"
#include "game/draw/game_window.h"
#include "support/level_run.h"

namespace {

class Fnv1a {
public:
    void add(uint8_t b) {
        h_ ^= b;
        h_ *= 0x100000001b3ull;
    }
    void add_le(uint64_t v, int bytes) {
        for (int k = 0; k < bytes; ++k) add(uint8_t(v >> (8 * k)));
    }
    uint64_t value() const { return h_; }

private:
    uint64_t h_ = 0xcbf29ce484222325ull;
};

uint64_t field_digest(const KV_Level& level) {
    Fnv1a h;
    for (int l = 0; l < KV_LAYER_COUNT; ++l)
        for (int32_t y = 0; y < level.get_height(); ++y)
            for (int32_t x = 0; x < level.get_width(); ++x) {
                const KV_Cell& c = level.at(l, x, y);
                h.add_le(c.type, 2);
                h.add_le(c.flags, 4);
                for (uint8_t b : c.state) h.add(b);
            }
    return h.value();
}

void print_tick(uint64_t tick, KV_Level& level) {
    const KV_LevelStatus& st = *level.get_status();
    const KV_SoundEvents& snd = *level.get_sound_events();
    std::printf("%" PRIu64 " state=%d moves=%d q=%d red=%d p=%d,%d snd=", tick, st.get_state(), st.get_moves(),
                st.get_quarkels(), st.get_red_disks(), level.get_player_x(), level.get_player_y());
    for (int i = 0; i < KV_SOUND_EVENT_COUNT; ++i) std::printf(i ? ",%d" : "%d", snd.count(i));
    std::printf(" %016" PRIx64 "\n", field_digest(level));
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
    std::fprintf(stderr,
                 "usage: karvolt-trace LEVELSET_FILE LEVEL_NUMBER SEED KEYS TICKS [--dump] [--save-demo FILE.kvd]"
                 " [--shot FILE.png]\n"
                 "       karvolt-trace --demo FILE.kvd [--dump]\n");
    return 2;
}

int replay_demo(const std::string& path, bool dump) {
    Qx::BtsFolder tree;
    if (!tree.load(path)) {
        std::fprintf(stderr, "%s: not a storage file that loads\n", path.c_str());
        return 1;
    }
    uint64_t tick = 0;
    try {
        std::string why;
        const std::shared_ptr<KV_Demo> demo = KV_Demo::Load(tree, &why);
        if (!demo) {
            std::fprintf(stderr, "%s: %s", path.c_str(), why.c_str());
            return 1;
        }
        KV_PlayHost headless;
        for (tick = 1; demo->TickNext(headless); ++tick) {
            KV_Level& level = *demo->GetGame().get_level();
            print_tick(tick, level);
            if (dump) dump_cells(level);
        }
    } catch (const CL_Error& e) {
        std::printf("%" PRIu64 " FATAL %s\n", tick, e.message.c_str());
        return 3;
    }
    return 0;
}

// The picture after the last tick, at the start of the next tick's step.
bool take_shot(KV_Game& game, const std::string& path) {
    std::string failure;
    try {
        KV_GameWindow window("Karvolt");
        window.draw(game, 0.0, 50);
        window.save(path);
    } catch (const CL_Error& e) {
        failure = e.message;
    }
    if (failure.empty()) return true;
    std::fprintf(stderr, "%s: no picture: %s\n", path.c_str(), failure.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--demo") {
        if (args.size() == 2) return replay_demo(args[1], false);
        if (args.size() == 3 && args[2] == "--dump") return replay_demo(args[1], true);
        return usage();
    }
    if (args.size() < 5) return usage();
    bool dump = false;
    std::string save_path, shot_path;
    for (size_t i = 5; i < args.size(); ++i) {
        if (args[i] == "--dump" && !dump)
            dump = true;
        else if (args[i] == "--save-demo" && save_path.empty() && i + 1 < args.size() && !args[i + 1].empty())
            save_path = args[++i];
        else if (args[i] == "--shot" && shot_path.empty() && i + 1 < args.size() && !args[i + 1].empty())
            shot_path = args[++i];
        else
            return usage();
    }
    uint64_t number = 0, seed = 0, ticks = 0;
    std::vector<KV_KeyRun> runs;
    if (!kv_parse_number(argv[2], INT32_MAX, number) || !kv_parse_number(argv[3], UINT32_MAX, seed) ||
        !kv_parse_keys(argv[4], runs) || !kv_parse_number(argv[5], UINT64_MAX / 2, ticks))
        return usage();

    KV_LoadedLevel loaded;
    std::string error;
    if (!kv_open_set(argv[1], loaded, error) || !kv_pick_level(loaded, number, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }

    uint64_t tick = 0;
    try {
        const std::shared_ptr<KV_Level> level = loaded.fresh_field(uint32_t(seed));
        if (!level) {
            std::fprintf(stderr, "%s: level %" PRIu64 " does not convert\n", argv[1], number);
            return 2;
        }
        KV_Game game;
        game.set_level(level);
        KV_KeyScript keys(std::move(runs));
        KV_KeyStream recorded;
        for (tick = 1; tick <= ticks; ++tick) {
            *level->get_input() = keys.next();
            if (!save_path.empty()) recorded.record(uint32_t(*level->get_input()));
            game.process();
            print_tick(tick, *level);
            if (dump) dump_cells(*level);
        }
        if (!save_path.empty() && !kv_save_demo(loaded, recorded, uint32_t(seed), save_path, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        if (!shot_path.empty() && !take_shot(game, shot_path)) return 1;
    } catch (const CL_Error& e) {
        std::printf("%" PRIu64 " FATAL %s\n", tick, e.message.c_str());
        return 3;
    }
    return 0;
}
