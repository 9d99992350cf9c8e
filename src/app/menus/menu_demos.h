#pragma once
// The saved demos of the current player's demo folder; the chosen one is
// replayed on the play screen, which comes back here when it ends.
#include <ClanLib/Display/sprite.h>

#include "app/menus/gui_parts.h"
#include "app/menus/menu_generic.h"

class CL_Button;
class CL_InputEvent;
class CL_ListBox;

class KV_Menu_Demos : public KV_MenuGeneric {
public:
    enum class Focus { Demos, ToMain, ToPlay };

    KV_Menu_Demos(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout);
    ~KV_Menu_Demos() override;

    void draw_background() override { background_.draw(0, 0); }
    void change_menu(const std::string& name) override;
    void run_frame() override;

    void on_demo_selected(int row);
    void on_replay();
    void on_back() { change_menu("menu_main"); }

private:
    void on_key(const CL_InputEvent& key, Focus focused);

    CL_Sprite background_;
    bool refill_ = true;
    bool replay_requested_ = false;
    CL_ListBox* demos_ = nullptr;
    KV_ListRows demo_rows_;
    CL_Button* btn_to_main_ = nullptr;
    CL_Button* btn_to_play_ = nullptr;
};
