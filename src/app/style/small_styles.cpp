#include "app/style/small_styles.h"

#include <ClanLib/Display/display.h>
#include <ClanLib/Display/font.h>
#include <ClanLib/Display/surface.h>
#include <ClanLib/GUI/button.h>
#include <ClanLib/GUI/checkbox.h>
#include <ClanLib/GUI/component_move_handler.h>
#include <ClanLib/GUI/frame.h>
#include <ClanLib/GUI/gui_manager.h>
#include <ClanLib/GUI/window.h>

#include "app/style/drawing.h"
#include "app/style/palette.h"
#include "app/style/style_manager.h"

namespace QxWindowLook {

CL_Rect title_rect(int title_width, int title_height) { return CL_Rect(0, 0, title_width + 16, title_height + 10); }
CL_Rect close_rect(int width) { return CL_Rect(width - 12, 3, width, 15); }
CL_Rect client_rect(int width, int height) { return CL_Rect(12, 12, width, height); }

}  // namespace QxWindowLook

namespace {
CL_Rect screen_rect(CL_Component* c) { return c->client_to_screen(CL_Rect(0, 0, c->get_width(), c->get_height())); }
}  // namespace

CL_CheckBox_QX::CL_CheckBox_QX(CL_CheckBox* box_, CL_StyleManager_QX* manager)
    : CL_ComponentStyle(box_), box(box_), style_manager(manager), resources(manager->get_resources()) {
    font = new CL_Font("CheckBox/font", resources);
    left = new CL_Surface("CheckBox/left", resources);
    right = new CL_Surface("CheckBox/right", resources);
    ticker = new CL_Surface("CheckBox/ticker", resources);
    slots.connect(box->sig_paint(), this, &CL_CheckBox_QX::on_paint);
    slots.connect(box->sig_get_preferred_size(), this, &CL_CheckBox_QX::on_get_preferred_size);
}

CL_CheckBox_QX::~CL_CheckBox_QX() {
    delete font;
    delete left;
    delete right;
    delete ticker;
}

void CL_CheckBox_QX::on_paint() {
    const int sx = box->get_screen_x(), sy = box->get_screen_y(), h = box->get_height();
    left->draw(sx, sy);
    right->draw(sx + 16, sy);
    if (box->is_checked()) ticker->draw(sx - 3, sy - 10);
    font->draw(sx + 28, sy + (h - font->get_height()) / 2 - 4, box->get_text());
}

void CL_CheckBox_QX::on_get_preferred_size(CL_Size& size) { size = CL_Size(font->get_width(box->get_text()) + 28, 35); }

CL_Frame_QX::CL_Frame_QX(CL_Frame* frame_, CL_StyleManager_QX* manager)
    : CL_ComponentStyle(frame_), frame(frame_), style_manager(manager) {
    slots.connect(frame->sig_paint(), this, &CL_Frame_QX::on_paint);
}

void CL_Frame_QX::on_paint() { CL_Display::fill_rect(CL_Rectf(screen_rect(frame)), QxPalette::frame); }

CL_Window_QX::CL_Window_QX(CL_Window* window_, CL_StyleManager_QX* manager)
    : CL_ComponentStyle(window_), window(window_), style_manager(manager), resources(manager->get_resources()) {
    const int w = window->get_width(), h = window->get_height();
    font = new CL_Font("Window/font", resources);
    close_button = new CL_Button(QxWindowLook::close_rect(w), "X", window, manager);
    client = QxWindowLook::client_rect(w, h);
    make_title_and_handler();
    layout_pending = true;
    slots.connect(window->sig_paint(), this, &CL_Window_QX::on_paint);
    slots.connect(close_button->sig_clicked(), this, &CL_Window_QX::on_close_clicked);
    // Clicking "X" never takes the focus from the dialog's fields.
    close_button->set_focusable(false);
}

CL_Window_QX::~CL_Window_QX() {
    delete font;
    delete close_button;
    delete move_handler;
}

void CL_Window_QX::make_title_and_handler() {
    const std::string& text = window->get_title();
    title = QxWindowLook::title_rect(font->get_width(text), font->get_height(text));
    // Replacing the handler moves ClanLib's focus to the window: the dialog's field keeps it.
    CL_Component* focused = window->get_focus();
    if (focused == move_handler) focused = nullptr;
    delete move_handler;
    move_handler = new CL_ComponentMoveHandler(title, window);
    // Dragging by the title tab leaves the keyboard focus where it was.
    move_handler->set_focusable(false);
    if (focused && window->get_focus() != focused) focused->set_focus();
}

void CL_Window_QX::on_paint() {
    const int w = window->get_width(), h = window->get_height();
    if (layout_pending) {
        close_button->set_position(QxWindowLook::close_rect(w));
        make_title_and_handler();
        client = QxWindowLook::client_rect(w, h);
        window->get_client_area()->set_position(client);
        layout_pending = false;
    }
    const CL_Color outline = QxPalette::outline_for(window->has_focus());
    const CL_Rect body = window->client_to_screen(QxWindowLook::client_rect(w, h));
    fill_rounded_rect(body, QxPalette::window_body);
    draw_rounded_outline(body, outline);
    const CL_Rect tab = window->client_to_screen(title);
    fill_rounded_rect(tab, QxPalette::title_tab);
    draw_rounded_outline(tab, outline);
    font->draw(window->get_screen_x() + title.left + 8, window->get_screen_y() + title.top + 6, window->get_title());
}

void CL_Window_QX::on_close_clicked() {
    CL_GUIManager* gui = window->get_gui_manager();
    if (gui && gui->get_modal_component() == window)
        window->quit();
    else
        window->close();
}
