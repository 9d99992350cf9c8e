#include "app/menus/menu_main.h"

#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/button.h>
#include <ClanLib/GUI/component_manager.h>

#include "app/menus/profile_dialog.h"
#include "app/players/player_table.h"
#include "app/style/focus.h"
#include "app/style/style_manager.h"

KV_Menu_Main::KV_Menu_Main(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout)
    : KV_MenuGeneric(owner, style, layout), background_("menu_right_bottom", style->get_resources()) {
    const struct {
        const char* name;
        void (KV_Menu_Main::*on_click)();
    } buttons[] = {
        {"btn_to_profile", &KV_Menu_Main::on_profile}, {"btn_to_game", &KV_Menu_Main::on_game},
        {"btn_to_demos", &KV_Menu_Main::on_demos},     {"btn_to_options", &KV_Menu_Main::on_options},
        {"btn_to_credits", &KV_Menu_Main::on_credits}, {"btn_to_quit", &KV_Menu_Main::on_quit},
    };
    for (const auto& b : buttons) {
        CL_Button* button = nullptr;
        get_components()->get_component(b.name, &button);
        slots_.connect(button->sig_clicked(), this, b.on_click);
        slots_.connect(button->sig_key_down(), this, &KV_Menu_Main::on_key_down);
    }
}

void KV_Menu_Main::draw_background() { background_.draw(0, 0); }

void KV_Menu_Main::on_profile() { KV_Profile::run(this); }

void KV_Menu_Main::change_with_player(const std::string& name) {
    if (!g_player_table.current()) KV_Profile::run(this);
    if (!g_player_table.current()) return;
    change_menu(name);
}

void KV_Menu_Main::on_game() { change_with_player("menu_game"); }
void KV_Menu_Main::on_demos() { change_with_player("menu_demos"); }
void KV_Menu_Main::on_options() { change_with_player("menu_options"); }
void KV_Menu_Main::on_credits() { change_menu("menu_credits"); }
void KV_Menu_Main::on_quit() { quit(); }

void KV_Menu_Main::on_key_down(const CL_InputEvent& key) {
    if (key.id == CL_KEY_UP) QxFocus::focus_previous(this);
    if (key.id == CL_KEY_DOWN) QxFocus::focus_next(this);
}
