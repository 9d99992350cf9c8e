#include "game/draw/font_set.h"

#include <ClanLib/Display/display.h>
#include <ClanLib/Display/font.h>

#include "game/draw/hud_layout.h"
#include "game/level/level.h"

const std::array<const char*, 8> KV_FontSet::names = {
    "my_fnt_1", "my_fnt_2", "my_fnt_3", "my_fnt_4", "my_fnt_1_sh", "my_fnt_2_sh", "my_fnt_3_sh", "my_fnt_4_sh",
};

KV_FontSet::KV_FontSet() = default;
KV_FontSet::~KV_FontSet() = default;

void KV_FontSet::load(CL_ResourceManager& resources) {
    std::array<std::shared_ptr<CL_Font>, 8> made;
    for (size_t i = 0; i < names.size(); ++i) made[i] = std::make_shared<CL_Font>(names[i], &resources);
    fonts_ = made;
}

void KV_FontSet::draw_hud(KV_Level& level, int game_speed) {
    if (!loaded()) return;
    for (const KV_HudText& t : kv_hud_layout(*level.get_status(), game_speed, CL_Display::get_height())) {
        CL_Font& f = *fonts_[size_t(t.font)];
        f.set_color(t.colour.r, t.colour.g, t.colour.b, t.colour.a);
        f.draw(t.x, t.y, t.text);
    }
}
