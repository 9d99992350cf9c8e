#include "app/menus/save_demo_dialog.h"

#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/button.h>
#include <ClanLib/GUI/inputbox.h>
#include <ClanLib/GUI/listbox.h>

#include "app/menus/gui_parts.h"
#include "app/menus/modal_run.h"
#include "app/players/player_table.h"
#include "app/style/list_items.h"

KV_SaveDemo::KV_SaveDemo(CL_Component* parent)
    : CL_Window(CL_Rect(100, 100, 380, 430), "Enter demo name", parent, parent->get_style_manager()) {
    CL_Component* client = get_client_area();
    demos_ = kv_keep(components_, "demos", new CL_ListBox(CL_Rect(15, 35, 250, 255), client));
    edit_ = kv_keep(components_, "edit_demo_name", new CL_InputBox(CL_Rect(15, 260, 250, 285), client));
    auto* ok = kv_keep(components_, "btn_ok", new CL_Button(CL_Point(180, 290), "OK", client));
    auto* cancel = kv_keep(components_, "btn_cancel", new CL_Button(CL_Point(210, 290), "Cancel", client));
    ok->find_preferred_size();
    cancel->find_preferred_size();
    demos_->set_multi_selection(false);
    edit_->set_tab_id(1);
    ok->set_tab_id(2);
    cancel->set_tab_id(3);
    demos_->set_tab_id(4);

    const std::shared_ptr<KV_Player> player = g_player_table.current();
    std::vector<CL_ListItem*> rows;
    if (player && player->get_demo_scanner()) {
        for (const std::string& name : player->get_demo_scanner()->scan_files()) {
            rows.push_back(new CL_ListItem);
            rows.back()->str = name;
        }
    }

    slots_.connect(ok->sig_clicked(), this, &KV_SaveDemo::on_accept);
    slots_.connect(edit_->sig_return_pressed(), this, &KV_SaveDemo::on_accept);
    slots_.connect(edit_->sig_key_down(), this, &KV_SaveDemo::on_name_key_down);
    slots_.connect(cancel->sig_clicked(), this, &KV_SaveDemo::on_cancel);
    demo_rows_.connect(demos_, [this](int row) { on_demo_selected(row); });
    slots_.connect(demos_->sig_key_down(), this, &KV_SaveDemo::on_list_key_down);
    if (demos_->get_client_area() && demos_->get_client_area() != demos_)
        slots_.connect(demos_->get_client_area()->sig_key_down(), this, &KV_SaveDemo::on_list_key_down);
    demo_rows_.fill(rows, 0);
    edit_->set_focus();
}

KV_SaveDemo::~KV_SaveDemo() = default;

bool KV_SaveDemo::run_once() {
    // Only a closing action of this run counts: the window's own close button saves nothing.
    accepted_ = false;
    kv_run_modal(*this);
    return accepted_;
}

std::string KV_SaveDemo::get_name() const { return edit_ ? edit_->get_text() : std::string(); }

void KV_SaveDemo::set_name(const std::string& name) {
    if (edit_) edit_->set_text(name);
}

void KV_SaveDemo::on_accept() {
    accepted_ = true;
    quit();
}

void KV_SaveDemo::on_cancel() {
    accepted_ = false;
    quit();
}

void KV_SaveDemo::on_demo_selected(int row) {
    if (row < 0 || row >= demos_->get_count()) return;
    scroll_to_current(demos_);
    edit_->set_text(demos_->get_text(row));
}

void KV_SaveDemo::on_name_key_down(const CL_InputEvent& key) {
    if (key.id == CL_KEY_ESCAPE) on_cancel();
}

void KV_SaveDemo::on_list_key_down(const CL_InputEvent& key) {
    switch (key.id) {
        case CL_KEY_ENTER: on_accept(); break;
        case CL_KEY_ESCAPE: on_cancel(); break;
        case CL_KEY_UP: kv_step_row(demos_, -1); break;
        case CL_KEY_DOWN: kv_step_row(demos_, +1); break;
        default: break;
    }
}
