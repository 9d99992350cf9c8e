#include "play_support.h"

#include <stdexcept>

#include "game/level/level_registry.h"
#include "game/level/level_writer.h"
#include "game/objects/interfaces.h"
#include "game/play/field_digest.h"

namespace play_support {

std::shared_ptr<KV_LevelBase> level_from_picture(const std::vector<std::string>& rows, int revision) {
    KV_Interfaces::init_once();
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

std::vector<uint64_t> replay_digests(KV_Demo& demo) {
    demo.Restart();
    KV_PlayHost headless;
    std::vector<uint64_t> out;
    while (demo.TickNext(headless)) out.push_back(kv_field_digest(*demo.GetGame().get_level()));
    return out;
}

}  // namespace play_support
