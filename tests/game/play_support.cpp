#include "play_support.h"

#include <cstring>
#include <stdexcept>

#include "game/level/level_registry.h"
#include "game/level/level_writer.h"

namespace play_support {

std::shared_ptr<KV_LevelBase> level_from_picture(const std::vector<std::string>& rows, int revision) {
    std::string source = "format: extended\nlevel:\ntitle: picture\nmap:\n";
    for (const std::string& r : rows) source += r + "\n";
    source += "end\n";
    KV_LevelSetDraft draft;
    std::string error;
    if (!kv_parse_level_source(source, draft, error)) throw std::invalid_argument(error);
    return create_level(KV_LEVEL_EXTENDED, revision, kv_encode_extended_record(draft.levels.at(0)));
}

KV_KeyStream stream_of(const std::vector<int32_t>& masks) {
    KV_KeyStream keys;
    for (int32_t m : masks) keys.record(uint32_t(m));
    return keys;
}

namespace {

uint64_t mix(uint64_t h, uint64_t v) {
    h = (h ^ v) * 0x9e3779b97f4a7c15ull;
    return h ^ (h >> 32);
}

}  // namespace

uint64_t tick_digest(KV_Level& level) {
    uint64_t h = 0;
    for (int l = 0; l < KV_LAYER_COUNT; ++l) {
        const KV_Cell* layer = level.scan_data(l);
        for (int32_t y = 0; y < level.get_height(); ++y) {
            const KV_Cell* row = layer + level.index(0, y);
            for (int32_t x = 0; x < level.get_width(); ++x) {
                uint64_t state;
                std::memcpy(&state, row[x].state, sizeof state);
                h = mix(mix(h, uint64_t(row[x].type) | uint64_t(row[x].flags) << 16), state);
            }
        }
    }
    const KV_LevelStatus& st = *level.get_status();
    for (int64_t v : {st.get_state(), st.get_moves(), st.get_quarkels(), st.get_red_disks(), level.get_player_x(),
                      level.get_player_y()})
        h = mix(h, uint64_t(v));
    return h;
}

std::vector<uint64_t> replay_digests(KV_Demo& demo, int every) {
    demo.Restart();
    KV_PlayHost headless;
    std::vector<uint64_t> out;
    for (int tick = 0; demo.TickNext(headless); ++tick)
        if (tick % every == 0) out.push_back(tick_digest(*demo.GetGame().get_level()));
    return out;
}

}  // namespace play_support
