#include "app/menus/profile_dialog.h"

#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keyboard.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/button.h>
#include <ClanLib/GUI/gui_manager.h>
#include <ClanLib/GUI/inputbox.h>
#include <ClanLib/GUI/listbox.h>
#include <ClanLib/GUI/stylemanager.h>

#include <algorithm>

#include "app/menus/focus_keeper.h"
#include "app/menus/gui_parts.h"
#include "app/menus/message_box.h"
#include "app/menus/modal_run.h"
#include "app/menus/player_dialog_rules.h"
#include "app/players/player_table.h"
#include "app/style/list_items.h"
#include "foundation/log.h"

namespace {

KV_ProfileKey key_of(const CL_InputEvent& key) {
    switch (key.id) {
    case CL_KEY_ENTER: return KV_ProfileKey::Enter;
    case CL_KEY_ESCAPE: return KV_ProfileKey::Escape;
    case CL_KEY_LEFT: return KV_ProfileKey::Left;
    case CL_KEY_UP: return KV_ProfileKey::Up;
    case CL_KEY_RIGHT: return KV_ProfileKey::Right;
    case CL_KEY_DOWN: return KV_ProfileKey::Down;
    default: return KV_ProfileKey::Other;
    }
}

}  // namespace

// ---- Choose player ----

void KV_Profile::run(CL_Component* parent) {
    KV_FocusKeeper focus(parent);
    KV_Profile dialog(parent);
    kv_run_modal(dialog);
    // The title bar's close button ends the run too: whatever row is
    // highlighted when the dialog goes is the current player.
    dialog.select_highlighted();
}

KV_Profile::KV_Profile(CL_Component* parent)
    : CL_Window(CL_Rect(100, 100, 380, 400), "Choose player", parent, parent->get_style_manager()) {
    CL_Component* client = get_client_area();
    players_ = kv_keep(components_, "players", new CL_ListBox(CL_Rect(15, 35, 250, 255), client));
    btn_add_ = kv_keep(components_, "btn_add", new CL_Button(CL_Point(15, 260), "Add", client));
    btn_del_ = kv_keep(components_, "btn_del", new CL_Button(CL_Point(70, 260), "Delete", client));
    btn_ok_ = kv_keep(components_, "btn_ok", new CL_Button(CL_Point(225, 260), "OK", client));
    for (CL_Button* b : {btn_add_, btn_del_, btn_ok_}) b->find_preferred_size();
    players_->set_multi_selection(false);

    const auto current = g_player_table.current();
    for (const std::string& name : g_player_table.names()) {
        const int row = players_->insert_item(name);
        if (current && current->get_name() == name) players_->set_current_item(row);
    }

    const bool any = players_->get_count() > 0;
    players_->set_tab_id(any ? 1 : 4);
    btn_add_->set_tab_id(any ? 2 : 1);
    btn_del_->set_tab_id(any ? 3 : 2);
    btn_ok_->set_tab_id(any ? 4 : 3);
    (any ? static_cast<CL_Component*>(players_) : btn_add_)->set_focus();

    slots_.connect(btn_ok_->sig_clicked(), this, &KV_Profile::close);
    slots_.connect(btn_add_->sig_clicked(), this, &KV_Profile::on_add);
    slots_.connect(btn_del_->sig_clicked(), this, &KV_Profile::on_delete);
    slots_.connect(players_->sig_selection_changed(), this, &KV_Profile::on_selection_changed);
    kv_connect_list_keys(slots_, players_, this, &KV_Profile::on_key, KV_ProfileFocus::Players);
    slots_.connect(btn_add_->sig_key_down(), this, &KV_Profile::on_key, KV_ProfileFocus::Add);
    slots_.connect(btn_del_->sig_key_down(), this, &KV_Profile::on_key, KV_ProfileFocus::Delete);
    slots_.connect(btn_ok_->sig_key_down(), this, &KV_Profile::on_key, KV_ProfileFocus::Ok);
}

KV_Profile::~KV_Profile() = default;

void KV_Profile::select_highlighted() {
    const int row = players_->get_current_item();
    if (row >= 0 && row < players_->get_count()) g_player_table.select(players_->get_text(row));
}

void KV_Profile::close() {
    select_highlighted();
    quit();
}

void KV_Profile::on_add() {
    std::string name;
    if (!KV_New_Player::run(get_gui_manager(), name) || name.empty() || g_player_table.get(name)) return;
    if (Qx::Log::is_enabled()) Qx::g_log.debug("Adding player: %s\n", name.c_str());
    if (!g_player_table.add(name)) return;
    // On disk at once: a new player outlives a crash before the next save.
    g_player_table.save(*g_player_table.get(name));
    players_->insert_item(name);
    players_->sort(true);
    const auto& items = players_->get_items();
    for (int row = 0; row < int(items.size()); ++row)
        if (players_->get_text(row) == name) players_->set_current_item(row);
}

void KV_Profile::on_delete() {
    const int count = players_->get_count();
    const int row = players_->get_current_item();
    if (count < 1 || row < 0 || row >= count) return;
    const std::string name = players_->get_text(row);
    const int answer = KV_MessageBox::show(get_gui_manager(), "Deleting Player",
                                           "Are you sure ?\nInformation about all completed levels for player '" +
                                               name + "' will be lost!",
                                           "OK", "Cancel");
    if (answer != 1) return;
    g_player_table.remove(name);
    players_->remove_item(row);
    const int next = row_after_delete(row, count);
    if (next >= 0)
        players_->set_current_item(next);
    else
        players_->clear_selection();
    if (players_->get_count() == 1) g_player_table.select(players_->get_text(0));
}

void KV_Profile::on_selection_changed() { scroll_to_current(players_); }

void KV_Profile::on_key(const CL_InputEvent& key, KV_ProfileFocus focused) {
    const int count = players_->get_count();
    const int current = players_->get_current_item();
    switch (profile_key_action(focused, key_of(key), current, count)) {
    case KV_ProfileAction::None: break;
    case KV_ProfileAction::Close: close(); break;
    case KV_ProfileAction::FocusPlayers: players_->set_focus(); break;
    case KV_ProfileAction::FocusAdd: btn_add_->set_focus(); break;
    case KV_ProfileAction::FocusDelete: btn_del_->set_focus(); break;
    case KV_ProfileAction::FocusOk: btn_ok_->set_focus(); break;
    case KV_ProfileAction::PreviousRow: players_->set_current_item(current - 1); break;
    case KV_ProfileAction::NextRow: players_->set_current_item(current + 1); break;
    }
}

// ---- Enter player name ----

bool KV_New_Player::run(CL_Component* parent, std::string& name) {
    KV_FocusKeeper focus(parent);
    KV_New_Player dialog(parent);
    kv_run_modal(dialog);
    name = dialog.get_name();
    return dialog.is_accepted();
}

KV_New_Player::KV_New_Player(CL_Component* parent)
    : CL_Window(CL_Rect(200, 150, 500, 265), "Enter player name", parent, parent->get_style_manager()) {
    CL_Component* client = get_client_area();
    input_ = kv_keep(components_, "input_name", new CL_InputBox(CL_Rect(15, 40, 270, 65), client));
    auto* ok = kv_keep(components_, "btn_ok", new CL_Button(CL_Point(180, 75), "OK", client));
    auto* cancel = kv_keep(components_, "btn_cancel", new CL_Button(CL_Point(220, 75), "Cancel", client));
    ok->find_preferred_size();
    cancel->find_preferred_size();
    input_->set_tab_id(1);
    ok->set_tab_id(2);
    cancel->set_tab_id(3);
    input_->set_focus();

    slots_.connect(ok->sig_clicked(), this, &KV_New_Player::on_ok);
    slots_.connect(cancel->sig_clicked(), static_cast<CL_Component*>(this), &CL_Component::quit);
    slots_.connect(CL_Keyboard::sig_key_down(), this, &KV_New_Player::on_key_down);
}

KV_New_Player::~KV_New_Player() = default;

void KV_New_Player::on_ok() {
    name_ = new_player_name(input_->get_text());
    accepted_ = !name_.empty();
    quit();
}

void KV_New_Player::on_key_down(const CL_InputEvent& key) {
    if (!get_gui_manager()->is_input_enabled()) return;
    if (key.id == CL_KEY_ESCAPE) quit();
    if (key.id == CL_KEY_ENTER) on_ok();
}
