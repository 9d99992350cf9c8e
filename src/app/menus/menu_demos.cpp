#include "app/menus/menu_demos.h"

#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/button.h>

#include "app/menu_logic/level_rows.h"
#include "app/menus/menu_parts.h"
#include "app/players/player_table.h"
#include "app/style/list_items.h"
#include "app/style/style_manager.h"
#include "foundation/bts_folder.h"

KV_Menu_Demos::KV_Menu_Demos(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout)
    : KV_MenuGeneric(owner, style, layout), background_("menu_right_top", style->get_resources()) {
    CL_ComponentManager* c = get_components();
    demos_ = kv_find_component<CL_ListBox>(c, "demos");
    btn_to_main_ = kv_find_component<CL_Button>(c, "btn_to_main_menu");
    btn_to_play_ = kv_find_component<CL_Button>(c, "btn_to_play_menu");
    if (demos_) {
        demo_rows_.connect(demos_, [this](int row) { on_demo_selected(row); });
        kv_connect_list_keys(slots_, demos_, this, &KV_Menu_Demos::on_key, Focus::Demos);
    }
    if (btn_to_main_) {
        slots_.connect(btn_to_main_->sig_clicked(), this, &KV_Menu_Demos::on_back);
        slots_.connect(btn_to_main_->sig_key_down(), this, &KV_Menu_Demos::on_key, Focus::ToMain);
    }
    if (btn_to_play_) {
        slots_.connect(btn_to_play_->sig_clicked(), this, &KV_Menu_Demos::on_replay);
        slots_.connect(btn_to_play_->sig_key_down(), this, &KV_Menu_Demos::on_key, Focus::ToPlay);
    }
    // A list takes the focus as it is made; the manager's first focus step starts
    // from the screen itself, so it lands on the first component in tab order.
    CL_GUIManager::set_focus(this);
}

KV_Menu_Demos::~KV_Menu_Demos() = default;

void KV_Menu_Demos::change_menu(const std::string& name) {
    refill_ = true;
    KV_MenuGeneric::change_menu(name);
}

void KV_Menu_Demos::run_frame() {
    if (replay_requested_) {
        replay_requested_ = false;
        on_replay();
    } else if (refill_) {
        refill_ = false;
        const std::shared_ptr<KV_Player> player = g_player_table.current();
        if (!demos_ || !player || !player->get_demo_scanner()) return;
        const std::vector<std::string> names = player->get_demo_scanner()->scan_files();
        std::vector<CL_ListItem*> items;
        for (const std::string& name : names) items.push_back(new CL_ListFileItem(name, 0));
        demo_rows_.fill(items, kv_row_of_name(names, player->get_demo_name()));
    }
    KV_MenuGeneric::run_frame();
}

void KV_Menu_Demos::on_demo_selected(int row) {
    const std::shared_ptr<KV_Player> player = g_player_table.current();
    if (!demos_ || !player || !player->get_demo_scanner() || row < 0 || row >= demos_->get_count()) return;
    const int current = kv_valid_row(demos_);
    if (current >= 0 && demos_->get_text(current) != player->get_demo_name()) {
        player->set_demo_name(demos_->get_text(current));
        g_player_table.save(*player);
    }
    scroll_to_current(demos_);
}

void KV_Menu_Demos::on_replay() {
    const std::shared_ptr<KV_Player> player = g_player_table.current();
    if (!player || !player->get_demo_scanner()) return;
    Qx::BtsFolder folder;
    if (!folder.load(player->get_demo_scanner()->get_current_dir() + player->get_demo_name())) return;
    std::shared_ptr<KV_Demo> demo = KV_Demo::Load(folder);
    if (!demo) return;
    KV_Menu_Play* play = kv_play_menu(get_owner());
    if (!play) return;
    play->set_mode(KV_PlayFlow::MODE_REPLAY_FILE);
    play->set_demo(demo);
    change_menu("menu_play");
}

void KV_Menu_Demos::on_key(const CL_InputEvent& key, Focus focused) {
    auto focus = [](CL_Component* c) {
        if (c) c->set_focus();
    };
    switch (key.id) {
        case CL_KEY_ENTER:
            if (focused == Focus::Demos && kv_valid_row(demos_) >= 0) replay_requested_ = true;
            break;
        case CL_KEY_LEFT:
            if (focused != Focus::ToMain) focus(btn_to_main_);
            break;
        case CL_KEY_RIGHT:
            if (focused != Focus::ToPlay) focus(btn_to_play_);
            break;
        case CL_KEY_UP:
            if (focused == Focus::Demos)
                kv_step_row(demos_, -1);
            else
                focus(demos_);
            break;
        case CL_KEY_DOWN:
            if (focused == Focus::Demos) kv_step_row(demos_, +1);
            break;
        case CL_KEY_ESCAPE: on_back(); break;
        default: break;
    }
}
