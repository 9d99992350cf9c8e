#include "app/style/listbox_style.h"

#include <ClanLib/Core/System/timer.h>
#include <ClanLib/Core/XML/dom_element.h>
#include <ClanLib/Display/display.h>
#include <ClanLib/Display/font.h>
#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/Display/surface.h>
#include <ClanLib/GUI/button.h>
#include <ClanLib/GUI/listbox.h>
#include <ClanLib/GUI/scrollbar.h>

#include "app/style/button_style.h"
#include "app/style/drawing.h"
#include "app/style/list_items.h"
#include "app/style/palette.h"
#include "app/style/style_manager.h"

namespace QxListLook {

int type_from_options(const std::string& value, int list_type) {
    if (value == "levels_list") return Levels;
    if (value == "files_list") return Files;
    return list_type;
}

int visible_rows(int client_height, int item_height) {
    // A font without height would divide by zero: then every row counts as fitting.
    return item_height > 0 ? (client_height - 4) / item_height : 1 << 30;
}

Layout layout(int width, int height, int count, int item_height) {
    Layout l{CL_Rect(4, 4, width - 4, height - 4), false, CL_Rect(width - 19, 0, width, height)};
    l.bar_shown = count > visible_rows(l.client.get_height(), item_height);
    if (l.bar_shown) l.client.right -= 16;
    return l;
}

std::optional<int> wheel_top(int button, int top, int count, int item_height, int client_height) {
    if (item_height * count <= client_height) return std::nullopt;
    if (button == CL_MOUSE_WHEEL_UP) return top - 5;
    if (button == CL_MOUSE_WHEEL_DOWN) return top + 5;
    return std::nullopt;
}

RowLook row_look(int list_type, const CL_ListItem& row, bool current) {
    RowLook look{row.str, QxPalette::list_text, current};
    if (list_type == Levels) {
        const auto* level = dynamic_cast<const CL_ListLevelStatItem*>(&row);
        if (level && level->state == 2) look.color = QxPalette::list_text_marked;
    } else if (list_type == Files) {
        const auto* file = dynamic_cast<const CL_ListFileItem*>(&row);
        if (file && file->kind == 1) {
            look.text = "[" + row.str + "]";
            look.color = QxPalette::list_text_marked;
        }
    }
    if (current) look.color = QxPalette::text_active;
    return look;
}

std::vector<int> painted_rows(int count, int top, int row_height, int client_height) {
    std::vector<int> rows;
    for (int i = top < 0 ? 0 : top; i < count; ++i) {
        rows.push_back(i);
        if (row_height * (i - top) >= client_height) break;
    }
    return rows;
}

BarButtons bar_buttons(int width, int height, bool vertical) {
    if (vertical) return {CL_Rect(0, 0, width, width), CL_Rect(0, height - width, width, height)};
    return {CL_Rect(0, 0, height, height), CL_Rect(width - height, 0, width, height)};
}

CL_Rect bar_track(int width, int height, bool vertical, const CL_Rect& up, const CL_Rect& down) {
    CL_Rect track(0, 0, width - 1, height);
    if (vertical) {
        track.top += up.get_height();
        track.bottom -= down.get_height();
    } else {
        track.left += up.get_width();
        track.right -= down.get_width();
    }
    return track;
}

}  // namespace QxListLook

using namespace QxListLook;

namespace {

CL_Rect screen_rect(CL_Component* c) { return c->client_to_screen(CL_Rect(0, 0, c->get_width(), c->get_height())); }

}  // namespace

CL_ListBox_QX::CL_ListBox_QX(CL_ListBox* list_, CL_StyleManager_QX* manager)
    : CL_ComponentStyle(list_), list(list_), style_manager(manager), resources(manager->get_resources()) {
    font = new CL_Font("ListBox/font", resources);
    // Built through the list box's manager, so it takes the scroll bar look.
    scrollbar = new CL_ScrollBar(false, list, nullptr);
    font->set_color(QxPalette::list_text);
    if (auto* bar_style = dynamic_cast<CL_ScrollBar_QX*>(scrollbar->get_style())) bar_style->set_button_mode(1);
    list->set_item_height(font->get_height());
    CL_Component* client = list->get_client_area();
    slots.connect(list->sig_set_options(), this, &CL_ListBox_QX::read_options);
    slots.connect(list->sig_paint(), this, &CL_ListBox_QX::paint_background);
    slots.connect(client->sig_mouse_down(), this, &CL_ListBox_QX::on_mouse_down);
    slots.connect(client->sig_paint(), this, &CL_ListBox_QX::paint_rows);
    slots.connect(list->sig_resize(), this, &CL_ListBox_QX::on_resize);
    slots.connect(list->sig_item_added(), this, &CL_ListBox_QX::on_rows_changed);
    slots.connect(list->sig_item_removed(), this, &CL_ListBox_QX::on_rows_changed);
    slots.connect(list->sig_clear(), this, &CL_ListBox_QX::on_cleared);
    slots.connect(scrollbar->sig_value_changed(), this, &CL_ListBox_QX::on_scroll);
    slots.connect(list->sig_end_paint(), this, &CL_ListBox_QX::paint_outline);
    layout();
}

CL_ListBox_QX::~CL_ListBox_QX() {
    delete font;
    // A hidden bar is no child of the list box: detach a shown one so it is deleted once.
    if (scrollbar_shown) list->remove_child(scrollbar);
    delete scrollbar;
}

void CL_ListBox_QX::read_options(const CL_DomElement& element) {
    list_type = type_from_options(element.get_attribute("type", ""), list_type);
}

void CL_ListBox_QX::on_resize(int, int) { layout(); }
void CL_ListBox_QX::on_rows_changed(int) { update_scrollbar(true); }
void CL_ListBox_QX::on_cleared() { update_scrollbar(true); }

void CL_ListBox_QX::layout() {
    const Layout l = QxListLook::layout(list->get_width(), list->get_height(), list->get_count(), list->get_item_height());
    list->get_client_area()->set_position(l.client);
    // The bar comes and goes by the rows that fit the client's height, which the bar leaves as it is.
    update_scrollbar(false);
    if (scrollbar_shown) scrollbar->set_position(l.bar);
}

void CL_ListBox_QX::update_scrollbar(bool relayout) {
    const int visible = visible_rows(list->get_client_area()->get_height(), list->get_item_height());
    const int count = list->get_count();
    if (count <= visible) {
        if (scrollbar_shown) {
            scrollbar_shown = false;
            scrollbar->set_value(0);
            list->remove_child(scrollbar);
            if (relayout) layout();
        }
        return;
    }
    if (!scrollbar_shown) {
        scrollbar_shown = true;
        list->add_child(scrollbar, false);
        if (relayout) layout();
    }
    scrollbar->set_max_value(count - visible);
    scrollbar->set_value(list->get_top_item());
}

void CL_ListBox_QX::on_scroll(int value) {
    list->set_top_item(value);
    list->update();
}

void CL_ListBox_QX::on_mouse_down(const CL_InputEvent& event) {
    const std::optional<int> top = wheel_top(event.id, list->get_top_item(), list->get_count(),
                                             list->get_item_height(), list->get_client_area()->get_height());
    if (!top) return;
    list->set_top_item(*top);
    update_scrollbar(true);
    list->update();
}

void CL_ListBox_QX::paint_background() { fill_rounded_rect(screen_rect(list), QxPalette::box_background); }

void CL_ListBox_QX::paint_outline() {
    // A click focuses the client area: that focus is the list's.
    const bool focused = list->has_focus() || list->get_client_area()->has_focus();
    draw_rounded_outline(screen_rect(list), QxPalette::outline_for(focused));
}

void CL_ListBox_QX::paint_rows() {
    update_scrollbar(false);
    CL_Component* client = list->get_client_area();
    const int w = client->get_width(), h = client->get_height();
    const CL_Rect area = screen_rect(client);
    const int fh = font->get_height();
    if (list_type < Plain || list_type > Files) return;
    const std::vector<CL_ListItem*> rows = list->get_items();
    const int top = list->get_top_item();
    const int current = list->get_current_item();
    const CL_Color kept = font->get_color();
    CL_Display::push_cliprect(area);
    for (int i : painted_rows(int(rows.size()), top, fh, h)) {
        const RowLook look = row_look(list_type, *rows[i], i == current);
        const int y = area.top + fh * (i - top);
        if (look.current) CL_Display::fill_rect(CL_Rectf(float(area.left), float(y), float(area.left + w), float(y + fh)),
                                                QxPalette::current_row);
        font->set_color(look.color);
        font->draw(area.left + 4, y, look.text);
    }
    CL_Display::pop_cliprect();
    font->set_color(kept);
}

CL_ScrollBar_QX::CL_ScrollBar_QX(CL_ScrollBar* bar_, CL_StyleManager_QX* manager, int mode)
    : CL_ComponentStyle(bar_), bar(bar_), style_manager(manager), resources(manager->get_resources()),
      button_mode(mode) {
    repeat_timer = new CL_Timer(250);
    const BarButtons rects = bar_buttons(bar->get_width(), bar->get_height(), bar->is_vertical());
    down_button = new CL_Button(rects.down, "", bar, manager);
    up_button = new CL_Button(rects.up, "", bar, manager);
    // The buttons never take the keyboard focus, so no key press can start a repeat
    // that no release would end.
    down_button->set_focusable(false);
    up_button->set_focusable(false);
    slots.connect(bar->get_client_area()->sig_paint(), this, &CL_ScrollBar_QX::on_paint);
    slots.connect(down_button->sig_pressed(), this, &CL_ScrollBar_QX::on_button_pressed, 1);
    slots.connect(up_button->sig_pressed(), this, &CL_ScrollBar_QX::on_button_pressed, -1);
    slots.connect(down_button->sig_released(), this, &CL_ScrollBar_QX::on_button_released);
    slots.connect(up_button->sig_released(), this, &CL_ScrollBar_QX::on_button_released);
    // A click ends a press too: a press that never sees its release stops here.
    slots.connect(down_button->sig_clicked(), this, &CL_ScrollBar_QX::on_button_released);
    slots.connect(up_button->sig_clicked(), this, &CL_ScrollBar_QX::on_button_released);
    slots.connect(bar->sig_get_preferred_size(), this, &CL_ScrollBar_QX::on_get_preferred_size);
    slots.connect(repeat_timer->sig_timer(), this, &CL_ScrollBar_QX::on_repeat_timer);
}

CL_ScrollBar_QX::~CL_ScrollBar_QX() {
    delete down_button;
    delete up_button;
    delete repeat_timer;
}

void CL_ScrollBar_QX::set_button_mode(int mode) {
    if (mode == button_mode) return;
    button_mode = mode;
    auto* down_style = dynamic_cast<CL_Button_QX*>(down_button->get_style());
    auto* up_style = dynamic_cast<CL_Button_QX*>(up_button->get_style());
    if (mode == 1) {
        const struct { CL_Button_QX* style; const char* image; } buttons[] = {
            {down_style, "ListBox/scroll_btn_down"}, {up_style, "ListBox/scroll_btn_up"}};
        for (const auto& b : buttons) {
            if (!b.style) continue;
            b.style->set_surfaces(new CL_Surface(b.image, resources), new CL_Surface(b.image, resources),
                                  new CL_Surface(b.image, resources), new CL_Surface(b.image, resources));
            b.style->set_type(QxButtonLook::Bitmap);
        }
    } else if (mode == 0) {
        if (down_style) down_style->set_type(QxButtonLook::Text);
        if (up_style) up_style->set_type(QxButtonLook::Text);
    }
}

void CL_ScrollBar_QX::on_paint() {
    CL_Component* client = bar->get_client_area();
    if (!laid_out) {
        const int w = bar->get_width(), h = bar->get_height();
        const BarButtons rects = bar_buttons(w, h, bar->is_vertical());
        down_button->set_position(rects.down);
        up_button->set_position(rects.up);
        client->set_position(bar_track(w, h, bar->is_vertical(), rects.up, rects.down));
        bar->set_max_value(bar->get_max_value());
        laid_out = true;
    }
    CL_Display::fill_rect(CL_Rectf(screen_rect(client)), QxPalette::scroll_track);
    CL_Display::fill_rect(CL_Rectf(client->client_to_screen(bar->get_slider_rect())), QxPalette::scroll_slider);
}

void CL_ScrollBar_QX::on_button_pressed(int s) {
    step = s;
    repeat_timer->enable();
    bar->set_value(bar->get_value() + step);
}

void CL_ScrollBar_QX::on_button_released() { repeat_timer->disable(); }

void CL_ScrollBar_QX::on_repeat_timer() {
    bar->set_value(bar->get_value() + step);
    // Inside a modal run nothing else asks for the repaint.
    bar->update();
}

void CL_ScrollBar_QX::on_get_preferred_size(CL_Size&) {}
