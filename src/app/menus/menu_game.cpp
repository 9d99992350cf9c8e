#include "app/menus/menu_game.h"

#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/button.h>

#include "app/menu_logic/demo_name.h"
#include "app/menu_logic/level_rows.h"
#include "app/menus/focus_keeper.h"
#include "app/menus/menu_parts.h"
#include "app/menus/message_box.h"
#include "app/menus/save_demo_dialog.h"
#include "app/players/player_table.h"
#include "app/style/list_items.h"
#include "app/style/style_manager.h"
#include "game/level/levelset_registry.h"

namespace {

const char* const kNoGameYet = "You should play the game first.";

// The save-demo dialog and the message box, as the saving asks for them.
class SaveDemoUi : public KV_SaveDemoUi {
public:
    SaveDemoUi(CL_Component* parent, KV_SaveDemo& dialog) : parent_(parent), dialog_(dialog) {}
    bool run_dialog() override { return dialog_.run_once(); }
    std::string typed_name() override { return dialog_.get_name(); }
    int32_t message(const std::string& title, const std::string& text, const std::string& caption1,
                    const std::string& caption2) override {
        return KV_MessageBox::show(parent_, title, text, caption1, caption2);
    }

private:
    CL_Component* parent_;
    KV_SaveDemo& dialog_;
};

}  // namespace

KV_Menu_Game::KV_Menu_Game(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout)
    : KV_MenuGeneric(owner, style, layout), background_("menu_left_bottom", style->get_resources()) {
    CL_ComponentManager* c = get_components();
    levelsets_ = kv_find_component<CL_ListBox>(c, "levelsets");
    levels_ = kv_find_component<CL_ListBox>(c, "levels");
    btn_to_main_ = kv_find_component<CL_Button>(c, "btn_to_main_menu");
    btn_to_play_ = kv_find_component<CL_Button>(c, "btn_to_play_menu");
    btn_save_demo_ = kv_find_component<CL_Button>(c, "btn_save_demo");
    btn_replay_demo_ = kv_find_component<CL_Button>(c, "btn_replay_demo");

    if (levelsets_) {
        levelset_rows_.connect(levelsets_, [this](int row) { on_levelset_selected(row); });
        kv_connect_list_keys(slots_, levelsets_, this, &KV_Menu_Game::on_key, Focus::Levelsets);
    }
    if (levels_) {
        level_rows_.connect(levels_, [this](int row) { on_level_selected(row); });
        kv_connect_list_keys(slots_, levels_, this, &KV_Menu_Game::on_key, Focus::Levels);
    }
    const struct {
        CL_Button* button;
        void (KV_Menu_Game::*on_click)();
        Focus focus;
    } buttons[] = {
        {btn_to_main_, &KV_Menu_Game::on_back, Focus::ToMain},
        {btn_to_play_, &KV_Menu_Game::on_play, Focus::ToPlay},
        {btn_save_demo_, &KV_Menu_Game::on_save_demo, Focus::SaveDemo},
        {btn_replay_demo_, &KV_Menu_Game::on_replay_last_demo, Focus::ReplayDemo},
    };
    for (const auto& b : buttons) {
        if (!b.button) continue;
        slots_.connect(b.button->sig_clicked(), this, b.on_click);
        slots_.connect(b.button->sig_key_down(), this, &KV_Menu_Game::on_key, b.focus);
    }
    // A list takes the focus as it is made; the manager's first focus step starts
    // from the screen itself, so it lands on the first component in tab order.
    CL_GUIManager::set_focus(this);
}

KV_Menu_Game::~KV_Menu_Game() = default;

void KV_Menu_Game::change_menu(const std::string& name) {
    refill_ = true;
    // The level chosen in the list goes to the player's file with the way out.
    if (const std::shared_ptr<KV_Player> player = g_player_table.current()) g_player_table.save(*player);
    KV_MenuGeneric::change_menu(name);
}

void KV_Menu_Game::run_frame() {
    if (refill_) {
        refill_ = false;
        const std::shared_ptr<KV_Player> player = g_player_table.current();
        if (!levelsets_ || !player || !player->get_level_scanner()) return;
        const std::vector<std::string> names = player->get_level_scanner()->scan_files();
        std::vector<CL_ListItem*> items;
        for (const std::string& name : names) items.push_back(new CL_ListFileItem(name, 0));
        // A list that grows a scroll bar as it fills takes the focus; the
        // player comes back to the button they left by.
        KV_FocusKeeper focus(this);
        levelset_rows_.fill(items, kv_row_of_name(names, player->get_levelset_name()));
    }
    KV_MenuGeneric::run_frame();
}

void KV_Menu_Game::on_levelset_selected(int row) {
    const std::shared_ptr<KV_Player> player = g_player_table.current();
    if (!levelsets_ || !player || !player->get_level_scanner() || row < 0 || row >= levelsets_->get_count()) return;
    const std::string name = levelsets_->get_text(row);
    std::shared_ptr<KV_LevelSetBase> set = open_levelset(player->get_level_scanner()->get_current_dir() + name);
    const bool chosen = name != player->get_levelset_name();
    player->set_levelset_name(name);
    player->set_levelset(set);
    if (!set) {
        // Nothing of the set that was open before stays to be played.
        if (levels_) levels_->clear();
        scroll_to_current(levelsets_);
        return;
    }
    const std::shared_ptr<KV_LevelsetStat> stat = player->get_levelset_stat();
    if (chosen) g_player_table.save(*player);

    if (levels_) {
        const std::vector<KV_LevelRow> rows = kv_level_rows(*set, stat.get());
        std::vector<CL_ListItem*> items;
        for (const KV_LevelRow& r : rows) items.push_back(new CL_ListLevelStatItem(r.index, r.title, r.state));
        level_rows_.fill(items, kv_row_of_level(rows, player->get_current_level_number()));
    }
    scroll_to_current(levelsets_);
}

void KV_Menu_Game::on_level_selected(int row) {
    const std::shared_ptr<KV_Player> player = g_player_table.current();
    if (!levelsets_ || !levels_ || !player || row < 0 || row >= levels_->get_count()) return;
    scroll_to_current(levels_);
    // The row's own level number: rows of levels that can't be made are missing.
    if (auto* item = dynamic_cast<CL_ListLevelStatItem*>(levels_->get_item(row)))
        player->set_current_level_number(item->index);
}

void KV_Menu_Game::on_play() {
    KV_Menu_Play* play = kv_play_menu(get_owner());
    const std::shared_ptr<KV_Player> player = g_player_table.current();
    // A set that didn't load offers nothing to play.
    if (!play || !player || !player->get_levelset()) return;
    play->set_mode(KV_PlayFlow::MODE_PLAY);
    change_menu("menu_play");
}

void KV_Menu_Game::on_replay_last_demo() {
    KV_Menu_Play* play = kv_play_menu(get_owner());
    if (!play) return;
    if (!play->has_demo()) {
        KV_MessageBox::show(this, "Information", kNoGameYet, "OK");
        return;
    }
    play->set_mode(KV_PlayFlow::MODE_REPLAY_LAST);
    change_menu("menu_play");
}

void KV_Menu_Game::on_save_demo() {
    KV_Menu_Play* play = kv_play_menu(get_owner());
    if (!play) return;
    if (!play->has_demo()) {
        KV_MessageBox::show(this, "Information", kNoGameYet, "OK");
        return;
    }
    KV_FocusKeeper focus(this);
    KV_SaveDemo dialog(this);
    dialog.set_name("");
    SaveDemoUi ui(this, dialog);
    kv_save_demo(*play->get_demo(), ui, "Demos\\");
}

void KV_Menu_Game::on_key(const CL_InputEvent& key, Focus focused) {
    auto focus = [](CL_Component* c) {
        if (c) c->set_focus();
    };
    const bool list = focused == Focus::Levelsets || focused == Focus::Levels;
    CL_ListBox* own = focused == Focus::Levelsets ? levelsets_ : levels_;
    switch (key.id) {
        case CL_KEY_ENTER:
            if (list && levels_ && kv_valid_row(levels_) >= 0) on_play();
            break;
        case CL_KEY_UP:
            if (list) kv_step_row(own, -1);
            if (focused == Focus::ToMain) focus(levelsets_);
            if (focused == Focus::ToPlay) focus(levels_);
            if (focused == Focus::SaveDemo) focus(btn_replay_demo_);
            if (focused == Focus::ReplayDemo) focus(btn_to_play_);
            break;
        case CL_KEY_DOWN:
            if (list) kv_step_row(own, +1);
            if (focused == Focus::ToPlay) focus(btn_replay_demo_);
            if (focused == Focus::ReplayDemo) focus(btn_save_demo_);
            break;
        case CL_KEY_LEFT:
            if (focused == Focus::Levels) focus(levelsets_);
            if (focused != Focus::Levels && focused != Focus::ToMain) focus(btn_to_main_);
            break;
        case CL_KEY_RIGHT:
            if (focused == Focus::Levelsets) focus(levels_);
            if (focused == Focus::Levels) focus(btn_to_play_);
            if (focused == Focus::ToMain) focus(btn_save_demo_);
            break;
        case CL_KEY_ESCAPE: on_back(); break;
        default: break;
    }
}
