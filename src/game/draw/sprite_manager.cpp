#include "game/draw/sprite_manager.h"

#include <ClanLib/Display/sprite.h>

#include "foundation/log.h"
#include "game/draw/image_check.h"
#include "game/draw/sprite_slots.h"

namespace {

KV_SpriteManager* g_manager = nullptr;
bool g_init_pending = true;

}  // namespace

KV_SpriteManager::KV_SpriteManager() : KV_SpriteManager("Graphics/objects_resourses.xml") {}

KV_SpriteManager::KV_SpriteManager(const std::string& resource_file)
    : resources_(resource_file), sprites_(KV_SPRITE_SLOTS, nullptr) {
    if (Qx::Log::is_enabled()) Qx::g_log.debug("KV_SpriteManager: Loading sprites of game objects\n");
    kv_check_resource_images(resources_, resource_file);
    try {
        for (int i = 0; i < KV_FILLED_SLOTS; ++i) sprites_[size_t(i)] = new CL_Sprite(kv_sprite_resources[size_t(i)], &resources_);
    } catch (...) {
        // The destructor does not run for a half-made manager.
        for (CL_Sprite* s : sprites_) delete s;
        throw;
    }
}

KV_SpriteManager::~KV_SpriteManager() {
    for (CL_Sprite* s : sprites_) delete s;
}

void KV_SpriteManager::init() {
    if (!g_init_pending) return;
    g_init_pending = false;
    KV_SpriteManager* made = new KV_SpriteManager();
    delete g_manager;
    g_manager = made;
}

void KV_SpriteManager::shutdown() {
    KV_SpriteManager* m = g_manager;
    g_manager = nullptr;
    delete m;
}

CL_Sprite* KV_SpriteManager::get_sprite(int index) { return g_manager ? g_manager->sprite(index) : nullptr; }

CL_Sprite* KV_SpriteManager::sprite(int index) const {
    return (index >= 0 && index < KV_SPRITE_SLOTS) ? sprites_[size_t(index)] : nullptr;
}
