#include "app/menus/menu_generic.h"

#include <ClanLib/Core/System/system.h>
#include <ClanLib/Display/color.h>
#include <ClanLib/Display/display.h>
#include <ClanLib/GUI/component_manager.h>

#include "app/menus/menu_manager.h"
#include "app/style/style_manager.h"

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
