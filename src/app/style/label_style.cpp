#include "app/style/label_style.h"

#include <ClanLib/Core/Math/origin.h>
#include <ClanLib/Core/XML/dom_element.h>
#include <ClanLib/Display/font.h>
#include <ClanLib/GUI/label.h>

#include "app/style/style_manager.h"

namespace QxLabelLook {

std::string font_id(int label_type) { return label_type == 0 ? "Label/font" : "Button/font"; }

int type_from_options(bool has_type, const std::string& value, int label_type) {
    if (!has_type) return label_type;
    return value == "type1" ? 0 : 1;
}

}  // namespace QxLabelLook

CL_Label_QX::CL_Label_QX(CL_Label* label_, CL_StyleManager_QX* manager, int label_type_)
    : CL_ComponentStyle(label_), label(label_), label_type(label_type_), resources(manager->get_resources()) {
    font = new CL_Font(QxLabelLook::font_id(label_type), resources);
    fit_to_text();
    slots.connect(label->sig_paint(), this, &CL_Label_QX::on_paint);
    slots.connect(label->sig_get_preferred_size(), this, &CL_Label_QX::on_get_preferred_size);
    slots.connect(label->sig_set_options(), this, &CL_Label_QX::read_options);
}

CL_Label_QX::~CL_Label_QX() { delete font; }

void CL_Label_QX::fit_to_text() {
    label->set_height(font->get_height("P"));
    label->set_width(font->get_width(label->get_text()));
}

void CL_Label_QX::read_options(const CL_DomElement& element) {
    label_type = QxLabelLook::type_from_options(element.has_attribute("type"), element.get_attribute("type", ""),
                                                label_type);
    CL_Font* fresh = new CL_Font(QxLabelLook::font_id(label_type), resources);
    delete font;
    font = fresh;
}

void CL_Label_QX::on_get_preferred_size(CL_Size& size) {
    fit_to_text();
    const std::string& text = label->get_text();
    size = CL_Size(font->get_width(text), font->get_height(text));
}

void CL_Label_QX::on_paint() {
    // The label's colour is the font resource's own: the style never sets it.
    const CL_Point offset = calc_origin(label->get_alignment(), CL_Size(label->get_width() / 2, label->get_height()));
    font->draw(label->get_screen_x() + offset.x, label->get_screen_y() + offset.y, label->get_text());
}
