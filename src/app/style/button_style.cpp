#include "app/style/button_style.h"

#include <ClanLib/Core/System/error.h>
#include <ClanLib/Core/System/timer.h>
#include <ClanLib/Core/XML/dom_element.h>
#include <ClanLib/Display/font.h>
#include <ClanLib/Display/surface.h>
#include <ClanLib/GUI/button.h>

#include "app/style/palette.h"
#include "app/style/style_manager.h"

namespace QxButtonLook {

namespace {
FontChoice font_for_size(int size) { return size == Big ? BigFont : NormalFont; }
}  // namespace

Result apply_options(const Options& options, int type, int size, bool has_up_image) {
    Result r{type, size, KeepFont};
    if (options.has_font) r.font = AttributeFont;
    r.type = options.type == "bitmap" ? Bitmap : Text;
    const int wanted = options.size == "big" ? Big : Normal;
    if (wanted != r.size && r.type == Text) r.font = font_for_size(wanted);
    r.size = wanted;
    // A button defined only by images is a bitmap button.
    if (!options.has_text && has_up_image) r.type = Bitmap;
    // The attribute's font wins over the size.
    if (options.has_font)
        r.font = AttributeFont;
    else if (r.type == Text)
        r.font = font_for_size(r.size);
    return r;
}

int fade_step(int brightness, bool fading_in, bool& running) {
    if (fading_in) {
        brightness += 2;
        if (brightness >= 256) {
            brightness = 255;
            running = false;
        }
    } else {
        brightness -= 2;
        if (brightness < 200) {
            brightness = 200;
            running = false;
        }
    }
    return brightness;
}

CL_Point text_offset(int width, int height, int text_width, int font_height, bool drawn_down) {
    CL_Point p((width - text_width) / 2, (height - font_height) / 2);
    if (drawn_down) {
        p.x += 1;
        p.y += 2;
    }
    return p;
}

Image choose_image(bool pressed, bool highlighted, bool enabled, const bool held[4]) {
    Image wanted = pressed ? Down : highlighted ? Highlighted : enabled ? Up : Disabled;
    if (held[wanted]) return wanted;
    return held[Up] ? Up : NoImage;
}

}  // namespace QxButtonLook

using namespace QxButtonLook;

CL_Button_QX::CL_Button_QX(CL_Button* button_, CL_StyleManager_QX* manager)
    : CL_ComponentStyle(button_), button(button_), style_manager(manager), resources(manager->get_resources()) {
    fade_timer = new CL_Timer(10);
    font = new CL_Font("Button/font", resources);
    slots.connect(button->sig_mouse_enter(), this, &CL_Button_QX::on_mouse_enter);
    slots.connect(button->sig_mouse_leave(), this, &CL_Button_QX::on_mouse_leave);
    slots.connect(button->sig_get_preferred_size(), this, &CL_Button_QX::on_get_preferred_size);
    slots.connect(button->sig_paint(), this, &CL_Button_QX::on_paint);
    slots.connect(button->sig_pressed(), this, &CL_Button_QX::on_pressed);
    slots.connect(button->sig_released(), this, &CL_Button_QX::on_released);
    // A press from the keyboard ends in a click and never in a release: the click
    // ends it too, so a bitmap button is not left drawn down.
    slots.connect(button->sig_clicked(), this, &CL_Button_QX::on_released);
    slots.connect(button->sig_set_options(), this, &CL_Button_QX::read_options);
    slots.connect(fade_timer->sig_timer(), this, &CL_Button_QX::on_fade_timer);
    fade_timer->disable();
    brightness = 200;
    refresh();
}

CL_Button_QX::~CL_Button_QX() {
    delete font;
    for (CL_Surface*& s : surfaces) delete s;
    delete fade_timer;
}

void CL_Button_QX::refresh() {
    button->find_preferred_size();
    button->update();
}

void CL_Button_QX::replace_font(const std::string& id) {
    CL_Font* fresh = new CL_Font(id, resources);
    delete font;
    font = fresh;
}

void CL_Button_QX::replace_surface(CL_Surface*& held, CL_Surface* given) {
    if (!given) return;
    delete held;
    held = given;
}

void CL_Button_QX::set_type(int type) {
    button_type = type;
    refresh();
}

void CL_Button_QX::set_surfaces(CL_Surface* up, CL_Surface* down, CL_Surface* lit, CL_Surface* disabled) {
    replace_surface(surfaces[Up], up);
    replace_surface(surfaces[Down], down);
    replace_surface(surfaces[Highlighted], lit);
    replace_surface(surfaces[Disabled], disabled);
    if (button_type == Bitmap) refresh();
}

void CL_Button_QX::read_options(const CL_DomElement& element) {
    const struct { const char* attribute; Image image; } images[] = {
        {"surface_up", Up}, {"surface_down", Down}, {"surface_disabled", Disabled}, {"surface_highlighted", Highlighted}};
    for (const auto& i : images)
        if (element.has_attribute(i.attribute))
            replace_surface(surfaces[i.image], new CL_Surface(element.get_attribute(i.attribute), resources));

    Options options;
    options.has_font = element.has_attribute("font");
    options.has_text = element.has_attribute("text");
    options.type = element.get_attribute("type", "");
    options.size = element.get_attribute("size", "");
    const Result r = apply_options(options, button_type, button_size, surfaces[Up] != nullptr);
    button_type = r.type;
    button_size = r.size;
    switch (r.font) {
    case AttributeFont: replace_font(element.get_attribute("font")); break;
    case NormalFont: replace_font("Button/font"); break;
    case BigFont: replace_font("Button/font_big"); break;
    case KeepFont: break;
    }
    refresh();
}

void CL_Button_QX::on_paint() {
    switch (button_type) {
    case Text: paint_text(); break;
    case Bitmap: paint_bitmap(); break;
    default: throw CL_Error("CL_Button_QX::on_paint, Unknown button type " + std::to_string(button_type));
    }
}

void CL_Button_QX::paint_text() {
    const std::string& text = button->get_text();
    const bool down = button->is_drawn_down();
    const CL_Point at = text_offset(button->get_width(), button->get_height(), font->get_width(text),
                                    font->get_height(), down);
    CL_Color color(brightness, brightness, brightness, 255);
    if (down || button->has_focus()) color = QxPalette::text_active;
    // Fonts of one resource share their colour: put it back for the next user.
    const CL_Color kept = font->get_color();
    font->set_color(color);
    font->draw(button->get_screen_x() + at.x, button->get_screen_y() + at.y, text);
    font->set_color(kept);
}

void CL_Button_QX::paint_bitmap() {
    const bool held[4] = {surfaces[0] != nullptr, surfaces[1] != nullptr, surfaces[2] != nullptr, surfaces[3] != nullptr};
    const Image image = choose_image(pressed, highlighted, button->is_enabled(true), held);
    if (image != NoImage) surfaces[image]->draw(button->get_screen_x(), button->get_screen_y());
}

void CL_Button_QX::on_get_preferred_size(CL_Size& size) {
    if (button_type == Bitmap) {
        if (surfaces[Up]) size = CL_Size(surfaces[Up]->get_width(), surfaces[Up]->get_height());
        return;
    }
    const std::string& text = button->get_text();
    size = CL_Size(font->get_width(text) + 4, font->get_height(text) + 4);
}

void CL_Button_QX::on_mouse_enter() {
    fade_timer->enable();
    highlighted = true;
    fading_in = true;
}

void CL_Button_QX::on_mouse_leave() {
    fade_timer->enable();
    highlighted = false;
    fading_in = false;
}

void CL_Button_QX::on_fade_timer() {
    bool running = true;
    brightness = fade_step(brightness, fading_in, running);
    if (!running) fade_timer->disable();
    button->update();
}

void CL_Button_QX::on_pressed() { pressed = true; }

void CL_Button_QX::on_released() { pressed = false; }
