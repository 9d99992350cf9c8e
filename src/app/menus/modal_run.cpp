#include "app/menus/modal_run.h"

#include <ClanLib/GUI/gui_manager.h>

#include <vector>

#include "app/menus/menu_generic.h"

namespace {

// The dialogs running now, the innermost last.
std::vector<CL_Component*> g_running;
bool g_closed = false;

void hold_held_keys(CL_Component& dialog) {
    if (auto* menu = dynamic_cast<KV_MenuGeneric*>(dialog.get_gui_manager())) menu->enable_input_after_keys();
}

}  // namespace

void kv_run_modal(CL_Component& dialog) {
    if (g_closed) return;
    hold_held_keys(dialog);
    g_running.push_back(&dialog);
    dialog.run();
    g_running.pop_back();
    // A close that came while a dialog opened from this one ran ends this one too.
    if (g_closed && !g_running.empty()) g_running.back()->quit();
    hold_held_keys(dialog);
}

void kv_close_dialogs() {
    g_closed = true;
    if (!g_running.empty()) g_running.back()->quit();
}

bool kv_dialogs_closed() { return g_closed; }

void kv_reopen_dialogs() { g_closed = false; }
