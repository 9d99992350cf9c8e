#pragma once
// Small pieces the screens and the dialogs share that need nothing but the GUI:
// owned components, key handlers on lists, stepping a list's rows, the row
// handler of a list that code fills too.
#include <ClanLib/GUI/component.h>
#include <ClanLib/GUI/listbox.h>
#include <ClanLib/Signals/slot.h>
#include <ClanLib/Signals/slot_container.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Files `component` under `name` in the owner's map, which keeps it alive, and hands it back.
template <class Component>
Component* kv_keep(std::map<std::string, std::shared_ptr<CL_Component>>& components, const std::string& name,
                   Component* component) {
    components[name] = std::shared_ptr<CL_Component>(component);
    return component;
}

// A list's keys reach the handler whether the list or (after a click) its client area has the focus.
template <class Owner, class Focus>
void kv_connect_list_keys(CL_SlotContainer& slots, CL_ListBox* list, Owner* owner,
                          void (Owner::*handler)(const CL_InputEvent&, Focus), Focus focus) {
    slots.connect(list->sig_key_down(), owner, handler, focus);
    if (list->get_client_area() && list->get_client_area() != list)
        slots.connect(list->get_client_area()->sig_key_down(), owner, handler, focus);
}

// Moves the current row one up (step < 0) or down (step > 0); the first and last rows stay put.
inline void kv_step_row(CL_ListBox* list, int step) {
    const int current = list->get_current_item();
    if (step < 0 && current > 0) list->set_current_item(current - 1);
    if (step > 0 && current >= 0 && current < list->get_count() - 1) list->set_current_item(current + 1);
}

// A list's row handler. The rows the player highlights reach it through the
// list's own signal; while code fills the list that signal is held off, and the
// handler runs once, for the row the filling makes current.
class KV_ListRows {
public:
    KV_ListRows() = default;
    KV_ListRows(const KV_ListRows&) = delete;
    KV_ListRows& operator=(const KV_ListRows&) = delete;

    // Nothing is connected for a null list.
    void connect(CL_ListBox* list, std::function<void(int)> on_row) {
        list_ = list;
        on_row_ = std::move(on_row);
        if (list_) slot_ = list_->sig_highlighted().connect_functor([this](int row) {
            if (!filling_ && on_row_) on_row_(row);
        });
    }

    // Empties the list and puts the rows in, which the list then owns; when
    // `current` is one of them it becomes the current row and goes to the handler.
    void fill(const std::vector<CL_ListItem*>& rows, int current) {
        if (!list_) {
            for (CL_ListItem* row : rows) delete row;
            return;
        }
        filling_ = true;
        list_->clear();
        for (CL_ListItem* row : rows) list_->insert_item(row, -1, true);
        const bool valid = current >= 0 && current < list_->get_count();
        if (valid) list_->set_current_item(current);
        filling_ = false;
        if (valid && on_row_) on_row_(current);
    }

private:
    CL_ListBox* list_ = nullptr;
    std::function<void(int)> on_row_;
    bool filling_ = false;
    CL_Slot slot_;
};
