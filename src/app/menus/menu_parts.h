#pragma once
// Small pieces the level, demo and options screens share: optional components
// of a layout and the play screen; the ones that need only the GUI are in gui_parts.h.
#include <ClanLib/Core/System/error.h>
#include <ClanLib/GUI/component_manager.h>
#include <ClanLib/GUI/listbox.h>

#include <string>

#include "app/menus/gui_parts.h"
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

inline KV_Menu_Play* kv_play_menu(KV_MenuManager* manager) {
    return dynamic_cast<KV_Menu_Play*>(manager->get_menu("menu_play").get());
}

// The current row when it is one of the list's rows, else -1.
inline int kv_valid_row(const CL_ListBox* list) {
    const int current = list->get_current_item();
    return current >= 0 && current < list->get_count() ? current : -1;
}
