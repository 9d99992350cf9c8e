#include "app/menus/menu_options.h"

#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keyboard.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/button.h>
#include <ClanLib/GUI/inputbox.h>
#include <ClanLib/GUI/label.h>

#include "app/menu_logic/game_speed.h"
#include "app/menus/focus_keeper.h"
#include "app/menus/menu_parts.h"
#include "app/menus/message_box.h"
#include "app/menus/modal_run.h"
#include "app/players/player_table.h"
#include "app/style/focus.h"
#include "app/style/style_manager.h"

KV_Menu_Options::KV_Menu_Options(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout)
    : KV_MenuGeneric(owner, style, layout), background_("menu_left_top", style->get_resources()) {
    CL_ComponentManager* c = get_components();
    btn_to_main_ = kv_find_component<CL_Button>(c, "btn_to_main_menu");
    btn_change_game_speed_ = kv_find_component<CL_Button>(c, "btn_change_game_speed");
    lbl_game_speed_ = kv_find_component<CL_Label>(c, "lbl_game_speed");
    if (btn_to_main_) slots_.connect(btn_to_main_->sig_clicked(), this, &KV_Menu_Options::on_back);
    if (btn_change_game_speed_)
        slots_.connect(btn_change_game_speed_->sig_clicked(), this, &KV_Menu_Options::on_change_game_speed);
    for (CL_Button* button : {btn_change_game_speed_, btn_to_main_})
        if (button) slots_.connect(button->sig_key_down(), this, &KV_Menu_Options::on_key_down);
}

void KV_Menu_Options::on_key_down(const CL_InputEvent& key) {
    if (key.id == CL_KEY_UP) QxFocus::focus_previous(this);
    if (key.id == CL_KEY_DOWN) QxFocus::focus_next(this);
    if (key.id == CL_KEY_ESCAPE) on_back();
}

KV_Menu_Options::~KV_Menu_Options() = default;

void KV_Menu_Options::change_menu(const std::string& name) {
    refill_ = true;
    KV_MenuGeneric::change_menu(name);
}

void KV_Menu_Options::run_frame() {
    if (refill_) {
        refill_ = false;
        const std::shared_ptr<KV_Player> player = g_player_table.current();
        if (player && lbl_game_speed_) lbl_game_speed_->set_text(std::to_string(player->get_game_speed()));
    }
    KV_MenuGeneric::run_frame();
}

void KV_Menu_Options::on_change_game_speed() {
    const std::shared_ptr<KV_Player> player = g_player_table.current();
    if (!player) return;
    int speed = player->get_game_speed();
    if (!KV_ChangeGameSpeed::run(this, speed)) return;
    player->set_game_speed(speed);
    g_player_table.save(*player);
    refill_ = true;
}

bool KV_ChangeGameSpeed::run(CL_Component* parent, int& speed) {
    int32_t value = speed;
    const bool ok = kv_ask_game_speed(
        value,
        [parent](int32_t shown, std::string& typed) {
            // Gone before the range message, if any, shows.
            KV_FocusKeeper focus(parent);
            KV_ChangeGameSpeed dialog(parent, shown);
            kv_run_modal(dialog);
            typed = dialog.get_typed();
            return dialog.is_accepted();
        },
        [parent] { KV_MessageBox::show(parent, "Error", KV_TEXT_GAME_SPEED_RANGE, "OK"); });
    if (ok) speed = value;
    return ok;
}

KV_ChangeGameSpeed::KV_ChangeGameSpeed(CL_Component* parent, int speed)
    : CL_Window(CL_Rect(200, 150, 500, 265), "Change game speed", parent, parent->get_style_manager()) {
    CL_Component* client = get_client_area();
    input_ = kv_keep(components_, "input_speed", new CL_InputBox(CL_Rect(15, 40, 270, 65), client));
    auto* ok = kv_keep(components_, "btn_ok", new CL_Button(CL_Point(180, 75), "OK", client));
    auto* cancel = kv_keep(components_, "btn_cancel", new CL_Button(CL_Point(220, 75), "Cancel", client));
    ok->find_preferred_size();
    cancel->find_preferred_size();
    input_->set_text(std::to_string(speed));
    input_->set_tab_id(1);
    ok->set_tab_id(2);
    cancel->set_tab_id(3);
    input_->set_focus();
    slots_.connect(ok->sig_clicked(), this, &KV_ChangeGameSpeed::on_ok);
    slots_.connect(cancel->sig_clicked(), static_cast<CL_Component*>(this), &CL_Component::quit);
    slots_.connect(CL_Keyboard::sig_key_down(), this, &KV_ChangeGameSpeed::on_key_down);
}

KV_ChangeGameSpeed::~KV_ChangeGameSpeed() = default;

std::string KV_ChangeGameSpeed::get_typed() const { return typed_; }

void KV_ChangeGameSpeed::on_ok() {
    if (input_) {
        typed_ = input_->get_text();
        accepted_ = true;
    }
    quit();
}

void KV_ChangeGameSpeed::on_key_down(const CL_InputEvent& key) {
    if (!get_gui_manager()->is_input_enabled()) return;
    if (key.id == CL_KEY_ESCAPE) quit();
    if (key.id == CL_KEY_ENTER) on_ok();
}
