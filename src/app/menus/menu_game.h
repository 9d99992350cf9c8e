#pragma once
// The level choice: the level sets of the player's level folder, the levels of
// the chosen set with the player's progress, play, replay the last game, save
// it as a demo, back to the main menu.
#include <ClanLib/Display/sprite.h>

#include "app/menus/gui_parts.h"
#include "app/menus/menu_generic.h"

class CL_Button;
class CL_InputEvent;
class CL_ListBox;

class KV_Menu_Game : public KV_MenuGeneric {
public:
    enum class Focus { Levelsets, Levels, ToMain, ToPlay, SaveDemo, ReplayDemo };

    KV_Menu_Game(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout);
    ~KV_Menu_Game() override;

    void draw_background() override { background_.draw(0, 0); }
    // Every way out refills both lists on the next visit.
    void change_menu(const std::string& name) override;
    void run_frame() override;

    void on_levelset_selected(int row);
    void on_level_selected(int row);
    void on_play();
    void on_replay_last_demo();
    void on_save_demo();
    void on_back() { change_menu("menu_main"); }

private:
    void on_key(const CL_InputEvent& key, Focus focused);

    CL_Sprite background_;
    bool refill_ = true;
    CL_ListBox* levelsets_ = nullptr;
    CL_ListBox* levels_ = nullptr;
    KV_ListRows levelset_rows_;
    KV_ListRows level_rows_;
    CL_Button* btn_to_main_ = nullptr;
    CL_Button* btn_to_play_ = nullptr;
    CL_Button* btn_save_demo_ = nullptr;
    CL_Button* btn_replay_demo_ = nullptr;
};
