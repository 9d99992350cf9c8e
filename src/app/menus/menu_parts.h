#pragma once
// Small pieces the level, demo and options screens share: optional components
// of a layout, key handlers on lists, the play screen.
#include <ClanLib/Core/System/error.h>
#include <ClanLib/GUI/component_manager.h>
#include <ClanLib/GUI/listbox.h>
#include <ClanLib/Signals/slot_container.h>

#include <string>

#include "app/menus/menu_manager.h"
#include "app/menus/menu_play.h"

// The named component when the layout has it with that class, else null.
template <class Component>
Component* kv_find_component(CL_ComponentManager* components, const std::string& name) {
    try {
        return dynamic_cast<Component*>(components->get_component(name));
    } catch (const CL_Error&) {
        return nullptr;
    }
}

// A list's keys reach the handler whether the list or (after a click) its client area has the focus.
template <class Owner, class Focus>
void kv_connect_list_keys(CL_SlotContainer& slots, CL_ListBox* list, Owner* owner,
                          void (Owner::*handler)(const CL_InputEvent&, Focus), Focus focus) {
    slots.connect(list->sig_key_down(), owner, handler, focus);
    if (list->get_client_area() && list->get_client_area() != list)
        slots.connect(list->get_client_area()->sig_key_down(), owner, handler, focus);
}

inline KV_Menu_Play* kv_play_menu(KV_MenuManager* manager) {
    return dynamic_cast<KV_Menu_Play*>(manager->get_menu("menu_play").get());
}

// The current row when it is one of the list's rows, else -1.
inline int kv_valid_row(const CL_ListBox* list) {
    const int current = list->get_current_item();
    return current >= 0 && current < list->get_count() ? current : -1;
}
