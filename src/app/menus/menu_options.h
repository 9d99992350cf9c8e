#pragma once
// The options screen: the current player's game speed and the dialog that
// changes it. Up and Down walk its buttons, Escape goes back.
#include <ClanLib/Display/sprite.h>
#include <ClanLib/GUI/window.h>
#include <ClanLib/Signals/slot_container.h>

#include <map>
#include <memory>

#include "app/menus/menu_generic.h"

class CL_Button;
class CL_InputBox;
class CL_InputEvent;
class CL_Label;

class KV_Menu_Options : public KV_MenuGeneric {
public:
    KV_Menu_Options(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout);
    ~KV_Menu_Options() override;

    void draw_background() override { background_.draw(0, 0); }
    void change_menu(const std::string& name) override;
    void run_frame() override;

    void on_back() { change_menu("menu_main"); }
    void on_change_game_speed();
    CL_Label* get_speed_label() const { return lbl_game_speed_; }

private:
    void on_key_down(const CL_InputEvent& key);

    CL_Sprite background_;
    bool refill_ = true;
    CL_Button* btn_to_main_ = nullptr;
    CL_Button* btn_change_game_speed_ = nullptr;
    CL_Label* lbl_game_speed_ = nullptr;
};

// "Change game speed": one line for the speed, OK and Cancel.
class KV_ChangeGameSpeed : public CL_Window {
public:
    // True with a speed in 1..1000 in `speed`; false, and `speed` as it was, when cancelled.
    // A value out of range is told, and the dialog comes again showing it.
    static bool run(CL_Component* parent, int& speed);

    KV_ChangeGameSpeed(CL_Component* parent, int speed);
    ~KV_ChangeGameSpeed() override;

    void on_ok();
    bool is_accepted() const { return accepted_; }
    std::string get_typed() const;
    CL_InputBox* get_input() const { return input_; }

private:
    void on_key_down(const CL_InputEvent& key);

    std::map<std::string, std::shared_ptr<CL_Component>> components_;
    CL_SlotContainer slots_;
    CL_InputBox* input_ = nullptr;
    std::string typed_;
    bool accepted_ = false;
};
