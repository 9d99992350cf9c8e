#pragma once
// Who made the game and what it stands on; one button (or Escape) back to the main menu.
#include <ClanLib/Display/sprite.h>

#include "app/menus/menu_generic.h"

class CL_InputEvent;

class KV_Menu_Credits : public KV_MenuGeneric {
public:
    KV_Menu_Credits(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout);

    void draw_background() override;
    void change_menu(const std::string& name) override { KV_MenuGeneric::change_menu(name); }

private:
    void on_back() { change_menu("menu_main"); }
    void on_key_down(const CL_InputEvent& key);

    CL_Sprite background_;
};
