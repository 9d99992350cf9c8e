#include "app/menus/menu_generic.h"

#include <ClanLib/Core/System/system.h>
#include <ClanLib/Display/color.h>
#include <ClanLib/Display/display.h>
#include <ClanLib/Display/keyboard.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/component_manager.h>

#include "app/menus/menu_manager.h"
#include "app/style/style_manager.h"

namespace {

// The keys the screens and dialogs act on.
const int kWatchedKeys[] = {CL_KEY_ENTER, CL_KEY_ESCAPE, CL_KEY_SPACE, CL_KEY_TAB,   CL_KEY_LEFT,      CL_KEY_UP,
                            CL_KEY_RIGHT, CL_KEY_DOWN,   CL_KEY_HOME,  CL_KEY_END,   CL_KEY_PRIOR,     CL_KEY_NEXT,
                            CL_KEY_1,     CL_KEY_2,      CL_KEY_3,     CL_KEY_4,     CL_KEY_F1,        CL_KEY_F2,
                            CL_KEY_B,     CL_KEY_M,      CL_KEY_N,     CL_KEY_R,     CL_KEY_BACKSPACE, CL_KEY_DELETE};

bool watched_key_down() {
    if (CL_Keyboard::get_device_count() < 1) return false;
    for (int key : kWatchedKeys)
        if (CL_Keyboard::get_keycode(key)) return true;
    return false;
}

}  // namespace

KV_MenuGeneric::KV_MenuGeneric(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout)
    : CL_GUIManager(style), owner_(owner), style_(style) {
    components_ = std::make_unique<CL_ComponentManager>(layout, this);
    slots_.connect(sig_paint(), this, &KV_MenuGeneric::draw_background);
    slots_.connect(sig_focus_changed(), this, &KV_MenuGeneric::on_focus_changed);
}

KV_MenuGeneric::~KV_MenuGeneric() {
    // The components are children of this GUI manager: let them go while it still stands.
    components_.reset();
}

void KV_MenuGeneric::draw_background() { CL_Display::clear(CL_Color(0, 0, 0, 255)); }

void KV_MenuGeneric::change_menu(const std::string& name) {
    leave_ = true;
    owner_->switch_to(name);
}

void KV_MenuGeneric::on_focus_changed(CL_Component* /*component*/) {}

void KV_MenuGeneric::run_frame() {
    show();
    CL_Display::flip(-1);
    CL_System::keep_alive(10);
}

void KV_MenuGeneric::enable_input_after_keys() {
    if (!watched_key_down()) {
        key_wait_.waiting = false;
        enable_input();
        return;
    }
    disable_input();
    key_wait_.waiting = true;
}

void KV_MenuGeneric::stop_input() {
    key_wait_.waiting = false;
    disable_input();
}

void KV_MenuGeneric::KeyWait::keep_alive() {
    if (!waiting || watched_key_down()) return;
    waiting = false;
    menu_.enable_input();
}

void KV_MenuGeneric::run() {
    leave_ = false;
    do {
        run_frame();
    } while (!leave_);
}

void KV_MenuGeneric::quit() {
    leave_ = true;
    owner_->quit();
}
