#pragma once
// The eight fonts of the in-game screen, and the HUD drawn with two of them.
#include <array>
#include <memory>

class CL_Font;
class CL_ResourceManager;
class KV_Level;

class KV_FontSet {
public:
    // "my_fnt_1".."my_fnt_4", then their shadowed forms "my_fnt_1_sh".."my_fnt_4_sh".
    static const std::array<const char*, 8> names;

    KV_FontSet();
    ~KV_FontSet();

    // A font the resources lack throws ClanLib's error; the set is then unchanged.
    void load(CL_ResourceManager& resources);
    bool loaded() const { return fonts_[0] != nullptr; }
    CL_Font* font(int index) const { return fonts_[size_t(index)].get(); }

    // The level's counters and switches, the key help and the game speed in
    // the 40-pixel band at the bottom of the window. Nothing without fonts.
    void draw_hud(KV_Level& level, int game_speed);

private:
    std::array<std::shared_ptr<CL_Font>, 8> fonts_;
};
