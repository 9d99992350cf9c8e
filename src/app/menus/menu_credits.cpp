#include "app/menus/menu_credits.h"

#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/button.h>
#include <ClanLib/GUI/component_manager.h>

#include "app/style/style_manager.h"

KV_Menu_Credits::KV_Menu_Credits(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout)
    : KV_MenuGeneric(owner, style, layout), background_("menu_left_top", style->get_resources()) {
    CL_Button* back = nullptr;
    get_components()->get_component("btn_to_main_menu", &back);
    slots_.connect(back->sig_clicked(), this, &KV_Menu_Credits::on_back);
    slots_.connect(back->sig_key_down(), this, &KV_Menu_Credits::on_key_down);
}

void KV_Menu_Credits::on_key_down(const CL_InputEvent& key) {
    if (key.id == CL_KEY_ESCAPE) on_back();
}

void KV_Menu_Credits::draw_background() { background_.draw(0, 0); }
