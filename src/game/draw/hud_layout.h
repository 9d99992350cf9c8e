#pragma once
// The two text rows of the HUD band below the field: what each text says,
// where it stands and in which font and colour. Pure layout, no drawing.
#include <cstdint>
#include <string>
#include <vector>

#include "game/level/level_context.h"

// The HUD's two fonts, as indices into KV_FontSet.
enum KV_HudFont : int {
    HUD_STATUS_FONT = 6,  // "my_fnt_3_sh"
    HUD_HELP_FONT = 7,    // "my_fnt_4_sh"
};

struct KV_HudColour {
    float r, g, b, a;
};

struct KV_HudText {
    int font;
    KV_HudColour colour;
    int32_t x, y;
    std::string text;
};

// In drawing order; rows at display height - 40 and - 20.
std::vector<KV_HudText> kv_hud_layout(const KV_LevelStatus& status, int32_t game_speed, int32_t display_height);
