// Loads arbitrary bytes as a storage tree and turns it into a demo; a demo that
// loads is replayed for a bounded amount of work. An impossible game state may
// end a replay with the game's error, never with a crash.
#include <ClanLib/Core/System/error.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "foundation/bts_folder.h"
#include "game/play/demo.h"

namespace {

// Cell visits a replay may make: a few hundred ticks on a classic field, a few
// on the largest.
constexpr int64_t kCellTickBudget = 400000;
constexpr int kMaxTicks = 600;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Qx::BtsFolder tree;
    if (!tree.load_from_memory(data, size)) return 0;
    std::string why;
    const std::shared_ptr<KV_Demo> demo = KV_Demo::Load(tree, &why);
    if (!demo) {
        if (why.empty()) __builtin_trap();  // a refusal always says why
        return 0;
    }
    if (!demo->Save()) __builtin_trap();  // what loads can be written again
    try {
        const std::shared_ptr<KV_Level> level = demo->GetGame().get_level();
        if (!level) return 0;
        const int64_t cells = int64_t(level->get_width()) * level->get_height() * KV_LAYER_COUNT;
        const int64_t ticks = std::min<int64_t>(kMaxTicks, kCellTickBudget / cells + 1);
        KV_PlayHost headless;
        for (int64_t t = 0; t < ticks && demo->TickNext(headless); ++t) {
        }
        demo->GetState();
    } catch (const CL_Error& e) {
        if (e.message.empty()) __builtin_trap();
    }
    return 0;
}
