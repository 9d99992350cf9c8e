#pragma once
// Small pieces the screens and the dialogs share that need nothing but the GUI:
// owned components, key handlers on lists, stepping a list's rows.
#include <ClanLib/GUI/component.h>
#include <ClanLib/GUI/listbox.h>
#include <ClanLib/Signals/slot_container.h>

#include <map>
#include <memory>
#include <string>

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
