#pragma once
// "Choose player": every profile in a list, with Add, Delete and OK. The row
// highlighted when the dialog closes becomes the current player. Add asks for a
// name in "Enter player name".
#include <ClanLib/GUI/window.h>
#include <ClanLib/Signals/slot_container.h>

#include <map>
#include <memory>
#include <string>

class CL_Button;
class CL_InputBox;
class CL_InputEvent;
class CL_ListBox;
enum class KV_ProfileFocus;

class KV_Profile : public CL_Window {
public:
    static void run(CL_Component* parent);

    explicit KV_Profile(CL_Component* parent);
    ~KV_Profile() override;

    // The row's player becomes current, then the dialog ends.
    void close();
    void select_highlighted();
    void on_add();
    void on_delete();

    CL_ListBox* get_players() const { return players_; }

private:
    void on_key(const CL_InputEvent& key, KV_ProfileFocus focused);
    void on_selection_changed();

    std::map<std::string, std::shared_ptr<CL_Component>> components_;
    CL_SlotContainer slots_;
    CL_ListBox* players_ = nullptr;
    CL_Button* btn_add_ = nullptr;
    CL_Button* btn_del_ = nullptr;
    CL_Button* btn_ok_ = nullptr;
};

class KV_New_Player : public CL_Window {
public:
    // True when a name was entered; the cleaned name goes to `name`.
    static bool run(CL_Component* parent, std::string& name);

    explicit KV_New_Player(CL_Component* parent);
    ~KV_New_Player() override;

    void on_ok();
    bool is_accepted() const { return accepted_; }
    const std::string& get_name() const { return name_; }
    CL_InputBox* get_input() const { return input_; }

private:
    void on_key_down(const CL_InputEvent& key);

    std::map<std::string, std::shared_ptr<CL_Component>> components_;
    CL_SlotContainer slots_;
    CL_InputBox* input_ = nullptr;
    std::string name_;
    bool accepted_ = false;
};
