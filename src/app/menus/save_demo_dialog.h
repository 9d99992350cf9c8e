#pragma once
// "Enter demo name": the demo files already saved, to pick one, and a line for
// the name. It only collects the name; the game menu checks it and writes.
#include <ClanLib/GUI/window.h>
#include <ClanLib/Signals/slot_container.h>

#include <map>
#include <memory>
#include <string>

#include "app/menus/gui_parts.h"

class CL_Button;
class CL_InputBox;
class CL_InputEvent;
class CL_ListBox;

class KV_SaveDemo : public CL_Window {
public:
    explicit KV_SaveDemo(CL_Component* parent);
    ~KV_SaveDemo() override;

    // One modal run; true only when it was closed by accepting (OK, Enter).
    // The typed text and the chosen row stay for the next run.
    bool run_once();
    bool is_ok() const { return accepted_; }
    std::string get_name() const;
    void set_name(const std::string& name);

    CL_ListBox* get_demos() const { return demos_; }

private:
    void on_accept();
    void on_cancel();
    void on_demo_selected(int row);
    void on_list_key_down(const CL_InputEvent& key);
    void on_name_key_down(const CL_InputEvent& key);

    std::map<std::string, std::shared_ptr<CL_Component>> components_;
    CL_SlotContainer slots_;
    CL_ListBox* demos_ = nullptr;
    KV_ListRows demo_rows_;
    CL_InputBox* edit_ = nullptr;
    bool accepted_ = false;
};
