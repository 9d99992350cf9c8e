#include "app/style/style_manager.h"

#include <ClanLib/GUI/button.h>
#include <ClanLib/GUI/checkbox.h>
#include <ClanLib/GUI/component.h>
#include <ClanLib/GUI/frame.h>
#include <ClanLib/GUI/inputbox.h>
#include <ClanLib/GUI/label.h>
#include <ClanLib/GUI/listbox.h>
#include <ClanLib/GUI/scrollbar.h>
#include <ClanLib/GUI/window.h>

#include "app/style/button_style.h"
#include "app/style/inputbox_style.h"
#include "app/style/label_style.h"
#include "app/style/listbox_style.h"
#include "app/style/small_styles.h"

CL_StyleManager_QX::CL_StyleManager_QX(CL_ResourceManager* resources) : CL_StyleManager(resources) {}

CL_StyleManager_QX::~CL_StyleManager_QX() = default;

void CL_StyleManager_QX::connect_styles(const std::string& type, CL_Component* component) {
    // Every component asks for "component" first: that request gets nothing.
    if (type == "component") return;
    // Check boxes and radio buttons ask for "button" while they are still being built as
    // buttons, then for their own type, whose answer replaces (and deletes) the button style.
    if (type == "button") {
        component->set_style(new CL_Button_QX(static_cast<CL_Button*>(component), this), true);
    } else if (type == "window") {
        component->set_style(new CL_Window_QX(static_cast<CL_Window*>(component), this), true);
    } else if (type == "frame") {
        component->set_style(new CL_Frame_QX(static_cast<CL_Frame*>(component), this), true);
    } else if (type == "inputbox") {
        component->set_style(new CL_InputBox_QX(static_cast<CL_InputBox*>(component), this), true);
    } else if (type == "listbox") {
        component->set_style(new CL_ListBox_QX(static_cast<CL_ListBox*>(component), this), true);
    } else if (type == "scrollbar") {
        component->set_style(new CL_ScrollBar_QX(static_cast<CL_ScrollBar*>(component), this, 0), true);
    } else if (type == "checkbox") {
        component->set_style(new CL_CheckBox_QX(static_cast<CL_CheckBox*>(component), this), true);
    } else if (type == "label") {
        component->set_style(new CL_Label_QX(static_cast<CL_Label*>(component), this, 0), true);
    } else if (dynamic_cast<CL_Button_QX*>(component->get_style())) {
        // A button of a kind this look doesn't know keeps no style at all.
        component->set_style(nullptr, true);
    }
}
