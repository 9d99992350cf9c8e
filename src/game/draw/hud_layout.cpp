#include "game/draw/hud_layout.h"

namespace {

// The colours are given in 0..255 steps; ClanLib's float setter takes 0..1.
constexpr KV_HudColour rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f, 1.0f}; }

const char* on_off(bool on) { return on ? "On" : "Off"; }

}  // namespace

std::vector<KV_HudText> kv_hud_layout(const KV_LevelStatus& s, int32_t game_speed, int32_t display_height) {
    const int32_t row1 = display_height - 40, row2 = display_height - 20;
    const KV_HudColour status = rgb(220, 230, 210), help = rgb(100, 150, 100);
    using std::to_string;
    return {
        {HUD_STATUS_FONT, status, 10, row1, "Quarkels: " + to_string(s.get_quarkels()) + "/" + to_string(s.get_quarkels_needed())},
        {HUD_STATUS_FONT, status, 10, row2, "Red disks: " + to_string(s.get_red_disks())},
        {HUD_STATUS_FONT, status, 130, row1, std::string("Freeze Grobbles - ") + on_off(s.get_freeze_grobbles())},
        {HUD_STATUS_FONT, status, 130, row2, std::string("Freeze Enemies - ") + on_off(s.get_freeze_enemies())},
        {HUD_STATUS_FONT, status, 260, row1, std::string("Gravity - ") + on_off(s.get_gravity())},
        {HUD_STATUS_FONT, status, 260, row2, "Moves: " + to_string(s.get_moves())},
        {HUD_HELP_FONT, help, 360, row1, "F1/F2 = +/- level  R - restart level"},
        {HUD_HELP_FONT, help, 360, row2, "1/2 = +/- 1 FPS    3/4 = +/- 10 FPS"},
        {HUD_HELP_FONT, help, 570, row1, "M - Music On/Off"},
        {HUD_HELP_FONT, help, 570, row2, "N/B - next/prev track"},
        {HUD_STATUS_FONT, status, 710, row1, "Speed: " + to_string(game_speed)},
    };
}
