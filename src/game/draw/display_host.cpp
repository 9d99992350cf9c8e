#include "game/draw/display_host.h"

#include <ClanLib/Core/System/system.h>
#include <ClanLib/Display/display.h>
#include <ClanLib/Display/pixel_buffer.h>
#include <ClanLib/Display/Providers/provider_factory.h>

#include "game/draw/font_set.h"
#include "game/draw/hud_layout.h"
#include "game/draw/visualisation.h"
#include "game/media/sound_engine.h"
#include "game/play/game.h"
#include "game/play/key_mask.h"

void kv_draw_game_picture(KV_Game& game, double fraction, KV_FontSet& fonts, int32_t game_speed) {
    CL_Display::clear(CL_Color(0, 0, 0, 255));
    CL_Display::push_cliprect(CL_Rect(0, 0, CL_Display::get_width(), CL_Display::get_height() - KV_Game::HUD_HEIGHT));
    try {
        KV_SpriteBatch batch;
        game.draw(fraction, 2.0);
        batch.flush();
    } catch (...) {
        CL_Display::pop_cliprect();
        throw;
    }
    CL_Display::pop_cliprect();
    if (game.get_level()) fonts.draw_hud(*game.get_level(), game_speed);
}

void kv_save_frame(const std::string& png_file) { CL_ProviderFactory::save(CL_Display::get_back_buffer(), png_file); }

int32_t KV_DisplayHost::read_keys() {
    int word = 0;
    KV_KeyMask::read_keyboard(word);
    return word;
}

void KV_DisplayHost::play_events(KV_SoundEvents& events) { KV_SoundEngine::play_events(events); }

void KV_DisplayHost::draw_frame(KV_Game& game, double fraction, int32_t game_speed) {
    kv_draw_game_picture(game, fraction, fonts_, game_speed);
    CL_Display::flip(-1);
}

void KV_DisplayHost::keep_alive() { CL_System::keep_alive(); }
