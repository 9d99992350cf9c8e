#include "app/style/inputbox_style.h"

#include <ClanLib/Core/System/timer.h>
#include <ClanLib/Display/display.h>
#include <ClanLib/Display/font.h>
#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/inputbox.h>

#include <algorithm>

#include "app/style/drawing.h"
#include "app/style/palette.h"
#include "app/style/style_manager.h"

namespace QxInputLook {

TextLayout text_layout(const std::vector<int>& widths, int text_width, int box_width, int cursor, bool has_mark,
                       int selection_start, int selection_length) {
    const int n = int(widths.size());
    // After an undo ClanLib may report positions past the text: keep them on it.
    const auto clamp = [n](int v) { return std::min(std::max(v, 0), n); };
    const auto W = [&widths](int a, int b) {
        int sum = 0;
        for (int i = a; i < b; ++i) sum += widths[i];
        return sum;
    };
    const int c = clamp(cursor);
    TextLayout t{0, 0, false, 0, 0, 0};
    int tw = text_width;
    if (tw > box_width - 12) {
        // Never scrolled past the character just before the cursor.
        while (t.first < c - 1 && tw >= box_width - 12) {
            t.hidden += widths[t.first];
            tw -= widths[t.first];
            ++t.first;
        }
    }
    if (has_mark) {
        const int s = clamp(selection_start);
        const int e = clamp(selection_start + selection_length);
        t.marked = true;
        t.mark_left = 5 - t.hidden + W(0, s);
        t.mark_right = 6 - t.hidden + W(0, e);
    }
    t.cursor_x = 6 - t.hidden + W(0, c);
    return t;
}

int position_at(const std::vector<int>& widths, int hidden, int x) {
    int left = 6 - hidden;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (x < left + widths[i] / 2) return int(i);
        left += widths[i];
    }
    return int(widths.size());
}

}  // namespace QxInputLook

namespace {
std::vector<int> letter_widths(CL_Font& font, const std::string& text) {
    std::vector<int> widths;
    widths.reserve(text.size());
    // As unsigned bytes: a letter from 0x80 up is no negative index into the font.
    for (char ch : text) widths.push_back(font.get_width(static_cast<unsigned int>(static_cast<unsigned char>(ch))));
    return widths;
}
}  // namespace

CL_InputBox_QX::CL_InputBox_QX(CL_InputBox* box_, CL_StyleManager_QX* manager)
    : CL_ComponentStyle(box_), box(box_), style_manager(manager), resources(manager->get_resources()) {
    font = new CL_Font("InputBox/font", resources);
    blink_timer = new CL_Timer(400);
    cursor_visible = true;
    slots.connect(box->sig_paint(), this, &CL_InputBox_QX::on_paint);
    slots.connect(blink_timer->sig_timer(), this, &CL_InputBox_QX::on_blink_timer);
    slots.connect(box->sig_input_down(), this, &CL_InputBox_QX::on_input_down);
    slots.connect(box->sig_input_up(), this, &CL_InputBox_QX::on_input_up);
    slots.connect(box->sig_mouse_move(), this, &CL_InputBox_QX::on_mouse_move);
    slots.connect(box->sig_lost_focus(), box, &CL_InputBox::on_lost_focus);
    blink_timer->enable();
}

CL_InputBox_QX::~CL_InputBox_QX() {
    delete font;
    delete blink_timer;
}

int CL_InputBox_QX::position_under(int x) const {
    const int kept_offset = font->get_width_offset();
    font->set_width_offset(0);
    const int at = QxInputLook::position_at(letter_widths(*font, box->get_text()), hidden, x);
    font->set_width_offset(kept_offset);
    return at;
}

void CL_InputBox_QX::on_input_down(const CL_InputEvent& event) {
    if (event.device.get_type() == CL_InputDevice::keyboard)
        box->on_input_down(event);
    else if (event.id == CL_MOUSE_LEFT)
        box->on_mouse_Ldown(position_under(event.mouse_pos.x));
}

void CL_InputBox_QX::on_input_up(const CL_InputEvent& event) {
    if (event.device.get_type() == CL_InputDevice::keyboard)
        box->on_input_up(event);
    else if (event.id == CL_MOUSE_LEFT)
        box->on_mouse_Lup(position_under(event.mouse_pos.x));
}

void CL_InputBox_QX::on_mouse_move(const CL_InputEvent& event) { box->on_mouse_move(position_under(event.mouse_pos.x)); }

void CL_InputBox_QX::on_blink_timer() {
    cursor_visible = !cursor_visible;
    box->update();
}

void CL_InputBox_QX::on_paint() {
    const CL_Rect screen = box->client_to_screen(CL_Rect(0, 0, box->get_width(), box->get_height()));
    fill_rounded_rect(screen, QxPalette::box_background);
    draw_rounded_outline(screen, QxPalette::outline_for(box->has_focus()));
    paint_text();
}

void CL_InputBox_QX::paint_text() {
    // The resource's width offset would spread the letters away from the cursor.
    const int kept_offset = font->get_width_offset();
    font->set_width_offset(0);
    const std::string& text = box->get_text();
    const std::vector<int> widths = letter_widths(*font, text);
    const int fh = font->get_height();
    const QxInputLook::TextLayout t =
        QxInputLook::text_layout(widths, font->get_width(text), box->get_width(), box->get_cursor_position(),
                                 box->has_marked_text(), box->get_selection_start(), box->get_selection_length());
    hidden = t.hidden;
    const int sx = box->get_screen_x(), sy = box->get_screen_y();
    if (t.marked)
        CL_Display::fill_rect(CL_Rectf(box->client_to_screen(CL_Rect(t.mark_left, 4, t.mark_right, fh + 5))),
                              QxPalette::marked_text);
    font->draw(sx + 6, sy + 4, text.substr(std::size_t(t.first)));
    if (box->has_focus() && cursor_visible) {
        const float x = float(sx + t.cursor_x);
        CL_Display::draw_line(x, float(sy + 4), x, float(sy + fh + 5), QxPalette::input_cursor);
    }
    font->set_width_offset(kept_offset);
}
