#pragma once
// The play screen's side of a running game: the keyboard, the sound engine,
// the window and ClanLib's keep-alive pass. The play menu constructs one and
// hands it to the game session or the demo replay.
#include <cstdint>
#include <string>

#include "game/play/play_host.h"

class KV_FontSet;

// The game's picture without the flip: clear to black, the field clipped
// above the HUD band, then the HUD.
void kv_draw_game_picture(KV_Game& game, double fraction, KV_FontSet& fonts, int32_t game_speed);

// The frame drawn so far (before the flip), written as a PNG. Throws ClanLib's
// error when the file cannot be written.
void kv_save_frame(const std::string& png_file);

class KV_DisplayHost : public KV_PlayHost {
public:
    explicit KV_DisplayHost(KV_FontSet& fonts) : fonts_(fonts) {}

    int32_t read_keys() override;
    void play_events(KV_SoundEvents& events) override;
    void draw_frame(KV_Game& game, double fraction, int32_t game_speed) override;
    void keep_alive() override;

private:
    KV_FontSet& fonts_;
};
