// The look of every label: its text in one of two fonts, placed by its alignment, no background.
#pragma once

#include <ClanLib/GUI/component_style.h>
#include <ClanLib/Signals/slot_container.h>

#include <string>

class CL_DomElement;
class CL_Font;
class CL_Label;
class CL_ResourceManager;
class CL_Size;
class CL_StyleManager_QX;

namespace QxLabelLook {
// Label type 0 takes "Label/font", any other "Button/font".
std::string font_id(int label_type);
// The type after the layout's options: "type1" gives 0, any other value 1, no attribute keeps it.
int type_from_options(bool has_type, const std::string& value, int label_type);
}  // namespace QxLabelLook

class CL_Label_QX : public CL_ComponentStyle {
public:
    CL_Label_QX(CL_Label* label, CL_StyleManager_QX* manager, int label_type);
    ~CL_Label_QX() override;

    int get_label_type() const { return label_type; }
    CL_Font* get_font() const { return font; }

private:
    void fit_to_text();
    void read_options(const CL_DomElement& element);
    void on_get_preferred_size(CL_Size& size);
    void on_paint();

    CL_Label* label;
    int label_type;
    CL_ResourceManager* resources;
    CL_Font* font = nullptr;
    CL_SlotContainer slots;
};
