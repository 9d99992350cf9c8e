// Opens arbitrary bytes as every level-set format and converts each level it yields.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "game/level/level.h"
#include "game/level/levelset_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const char* name : {"x.dat", "x.d01", "x.tq", "x.hxm"}) {
        std::shared_ptr<KV_LevelSetBase> format = find_levelset_format(name);
        if (!format) continue;
        std::shared_ptr<KV_LevelSetBase> set = format->Create();
        KV_MemorySource source(data, size);
        if (!set->LoadFrom(source)) continue;
        for (int i = 0; i < set->GetCount(); ++i) {
            std::shared_ptr<KV_LevelBase> level = set->GetLevel(i);
            if (level) level->ToGenericLevel();
        }
    }
    return 0;
}
