#pragma once
// Every object sprite, loaded once at start-up from "Graphics/objects_resourses.xml"
// and handed out by slot index (see sprite_slots.h), so the draw functions need
// no names and no look-up while drawing.
#include <ClanLib/Core/Resources/resource_manager.h>

#include <string>
#include <vector>

class CL_Sprite;

class KV_SpriteManager {
public:
    // The game's own resource file.
    KV_SpriteManager();
    // Another resource file, laid out the same.
    explicit KV_SpriteManager(const std::string& resource_file);
    ~KV_SpriteManager();
    KV_SpriteManager(const KV_SpriteManager&) = delete;
    KV_SpriteManager& operator=(const KV_SpriteManager&) = delete;

    // Once in the process: a later call does nothing, also after shutdown.
    // A resource the file lacks throws ClanLib's error; nothing is kept then.
    static void init();
    static void shutdown();
    // The live manager's slot, or null: outside 0..255, before init, after shutdown.
    static CL_Sprite* get_sprite(int index);

    CL_Sprite* sprite(int index) const;

private:
    CL_ResourceManager resources_;
    std::vector<CL_Sprite*> sprites_;
};
