#pragma once
// The screen the game runs in: a game of the current player's current level,
// the replay of the last game or of a demo file. Its rules are KV_PlayFlow;
// this screen gives them the window, the keyboard, the end timer and the sound.
#include <ClanLib/Core/System/timer.h>

#include <memory>

#include "app/menu_logic/play_flow.h"
#include "app/menus/menu_generic.h"
#include "game/draw/display_host.h"
#include "game/draw/font_set.h"

class CL_InputEvent;

class KV_Menu_Play : public KV_MenuGeneric, private KV_PlayScreenEnv {
public:
    using Mode = KV_PlayFlow::Mode;

    KV_Menu_Play(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout);
    ~KV_Menu_Play() override;

    void change_menu(const std::string& name) override { flow_.change_menu(name); }
    void run_frame() override { flow_.run_frame(); }
    void on_window_close() override { flow_.on_window_close(); }

    void set_mode(int32_t mode) { flow_.set_mode(mode); }
    bool has_demo() const { return flow_.has_demo(); }
    std::shared_ptr<KV_Demo> get_demo() const { return flow_.get_demo(); }
    void set_demo(std::shared_ptr<KV_Demo> demo) { flow_.set_demo(std::move(demo)); }
    KV_PlayFlow& get_flow() { return flow_; }

private:
    void on_key_down(const CL_InputEvent& key);
    void on_timer() { flow_.on_timer(); }

    std::shared_ptr<KV_Player> current_player() override;
    KV_PlayHost& host() override { return host_; }
    void base_frame() override { KV_MenuGeneric::run_frame(); }
    void arm_end_timer(int32_t interval_ms) override;
    void disable_end_timer() override { end_timer_.disable(); }
    void pause_ms(int32_t ms) override;
    void switch_to(const std::string& menu) override { KV_MenuGeneric::change_menu(menu); }
    void save_player(const KV_Player& player) override;
    void prev_track() override;
    void toggle_music() override;
    void next_track() override;

    KV_FontSet fonts_;
    KV_DisplayHost host_;
    CL_Timer end_timer_;
    KV_PlayFlow flow_;
};

// The screen's key for a key code of the keyboard.
KV_PlayKey kv_play_key(int key_code);
