// The registrations of both level formats, in one translation unit so that they
// run in this order before main: level type 0, the classic set patterns, level
// type 1, the extended set pattern. The game library is an object library, so
// these objects are always linked in.
#include "game/level/hexmoor_level.h"
#include "game/level/level_registry.h"
#include "game/level/levelset_registry.h"
#include "game/level/torvane_level.h"

namespace {

struct LevelTypeRegistrar {
    LevelTypeRegistrar(int type, std::shared_ptr<KV_LevelBase> prototype) {
        register_level_type(type, std::move(prototype));
    }
};

struct LevelsetFormatRegistrar {
    LevelsetFormatRegistrar(const char* pattern, std::shared_ptr<KV_LevelSetBase> prototype) {
        register_levelset_format(pattern, std::move(prototype));
    }
};

const LevelTypeRegistrar classic_level(KV_LEVEL_CLASSIC, std::make_shared<KV_TorvaneLevel>());
const LevelsetFormatRegistrar classic_dat("dat", std::make_shared<KV_TorvaneLevelset>());
const LevelsetFormatRegistrar classic_numbered("d??", std::make_shared<KV_TorvaneLevelset>());
const LevelsetFormatRegistrar classic_tq("tq", std::make_shared<KV_TorvaneLevelset>());
const LevelTypeRegistrar extended_level(KV_LEVEL_EXTENDED, std::make_shared<KV_HexmoorLevel>());
const LevelsetFormatRegistrar extended_hxm("hxm", std::make_shared<KV_HexmoorLevelset>());

}  // namespace
