#pragma once
// The first screen and the hub: player choice, levels, demos, options, credits, quit.
#include <ClanLib/Display/sprite.h>

#include "app/menus/menu_generic.h"

class CL_InputEvent;

class KV_Menu_Main : public KV_MenuGeneric {
public:
    KV_Menu_Main(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout);

    void draw_background() override;
    void change_menu(const std::string& name) override { KV_MenuGeneric::change_menu(name); }

private:
    void on_profile();
    void on_game();
    void on_demos();
    void on_options();
    void on_credits();
    void on_quit();
    void on_key_down(const CL_InputEvent& key);
    // The level, demo and options screens need a player: without one the player dialog comes first.
    void change_with_player(const std::string& name);

    CL_Sprite background_;
};
