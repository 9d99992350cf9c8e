#pragma once
// Gives the keyboard focus back, when it goes, to the component that had it
// when it was made. A dialog's components move the focus elsewhere as they are
// destroyed, and the screen below would then take no key until a click: make
// one of these before the dialog, so it outlives it.
#include <ClanLib/GUI/component.h>
#include <ClanLib/GUI/gui_manager.h>

class KV_FocusKeeper {
public:
    explicit KV_FocusKeeper(CL_Component* parent) {
        gui_ = dynamic_cast<CL_GUIManager*>(parent);
        if (!gui_) gui_ = parent->get_gui_manager();
        focused_ = gui_ ? gui_->get_focus() : nullptr;
    }
    ~KV_FocusKeeper() {
        if (focused_) gui_->set_focus(focused_);
    }
    KV_FocusKeeper(const KV_FocusKeeper&) = delete;
    KV_FocusKeeper& operator=(const KV_FocusKeeper&) = delete;

private:
    CL_GUIManager* gui_ = nullptr;
    CL_Component* focused_ = nullptr;
};
