// Reads arbitrary bytes as a player file and as the options file. A profile
// that loads must save to a tree that loads back to the same profile.
#include <cstddef>
#include <cstdint>

#include "app/players/options.h"
#include "app/players/player.h"
#include "app/players/player_name.h"
#include "foundation/bts_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Qx::BtsFolder tree;
    tree.load_from_memory(data, size);  // a partly read tree is still worth reading

    KV_Options options;
    options.load_folder(tree);
    options.to_folder();

    KV_Player player;
    if (!player.load_folder(tree)) return 0;
    if (!is_loadable_player_name(player.get_name())) __builtin_trap();
    // What the menus and the play menu do with the stored progress.
    for (const auto& entry : player.get_stats()) {
        KV_LevelsetStat& stat = *entry.second;
        stat.level_state(stat.get_current_level()) = KV_LevelsetStat::LEVEL_SOLVED;
        if (stat.get_current_level() < 0) __builtin_trap();
    }
    player.set_current_level_number(player.get_current_level_number() + 1);
    player.get_current_level();

    Qx::BtsFolderPtr saved = player.to_folder();
    KV_Player back;
    if (!back.load_folder(*saved)) __builtin_trap();
    if (back.get_name() != player.get_name() || back.get_game_speed() != player.get_game_speed() ||
        back.get_levelset_name() != player.get_levelset_name() || back.get_demo_name() != player.get_demo_name() ||
        back.get_stats().size() != player.get_stats().size())
        __builtin_trap();
    for (const auto& entry : player.get_stats()) {
        auto other = back.get_stats().find(entry.first);
        if (other == back.get_stats().end()) __builtin_trap();
        const auto& a = entry.second->levels_state();
        const auto& b = other->second->levels_state();
        if (a.size() != b.size() || other->second->get_current_level() != entry.second->get_current_level())
            __builtin_trap();
        for (size_t i = 0; i < a.size(); ++i)
            if (uint8_t(a[i]) != b[i]) __builtin_trap();
    }
    return 0;
}
