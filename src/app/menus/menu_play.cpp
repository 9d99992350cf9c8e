#include "app/menus/menu_play.h"

#include <ClanLib/Core/System/system.h>
#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keyboard.h>
#include <ClanLib/Display/keys.h>

#include "app/menus/menu_manager.h"
#include "app/players/player_table.h"
#include "game/media/sound_engine.h"

KV_PlayKey kv_play_key(int key_code) {
    switch (key_code) {
        case CL_KEY_ESCAPE: return KV_PlayKey::Escape;
        case CL_KEY_B: return KV_PlayKey::PrevTrack;
        case CL_KEY_M: return KV_PlayKey::ToggleMusic;
        case CL_KEY_N: return KV_PlayKey::NextTrack;
        case CL_KEY_R: return KV_PlayKey::Restart;
        case CL_KEY_F1: return KV_PlayKey::NextLevel;
        case CL_KEY_F2: return KV_PlayKey::PrevLevel;
        case CL_KEY_1: return KV_PlayKey::SpeedUp1;
        case CL_KEY_2: return KV_PlayKey::SpeedDown1;
        case CL_KEY_3: return KV_PlayKey::SpeedUp10;
        case CL_KEY_4: return KV_PlayKey::SpeedDown10;
        default: return KV_PlayKey::Other;
    }
}

KV_Menu_Play::KV_Menu_Play(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout)
    : KV_MenuGeneric(owner, style, layout), host_(fonts_), end_timer_(1000), flow_(*this) {
    fonts_.load(*owner->get_resources());
    slots_.connect(CL_Keyboard::sig_key_down(), this, &KV_Menu_Play::on_key_down);
    slots_.connect(end_timer_.sig_timer(), this, &KV_Menu_Play::on_timer);
    end_timer_.disable();
}

KV_Menu_Play::~KV_Menu_Play() { end_timer_.disable(); }

void KV_Menu_Play::on_key_down(const CL_InputEvent& key) {
    if (!is_input_enabled()) return;
    flow_.on_key(kv_play_key(key.id));
}

std::shared_ptr<KV_Player> KV_Menu_Play::current_player() { return g_player_table.current(); }

void KV_Menu_Play::arm_end_timer(int32_t interval_ms) {
    end_timer_.set_interval((unsigned long)interval_ms);
    end_timer_.enable();
}

void KV_Menu_Play::save_player(const KV_Player& player) { g_player_table.save(player); }

void KV_Menu_Play::pause_ms(int32_t ms) { CL_System::sleep(ms); }

void KV_Menu_Play::prev_track() { KV_SoundEngine::prev_track(); }
void KV_Menu_Play::toggle_music() { KV_SoundEngine::toggle_music(); }
void KV_Menu_Play::next_track() { KV_SoundEngine::next_track(); }
