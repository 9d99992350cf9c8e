#include "app/menus/message_box.h"

#include <ClanLib/Display/display.h>
#include <ClanLib/Display/input_event.h>
#include <ClanLib/Display/keyboard.h>
#include <ClanLib/Display/keys.h>
#include <ClanLib/GUI/button.h>
#include <ClanLib/GUI/stylemanager.h>

#include <vector>

#include "app/menus/message_box_layout.h"
#include "app/menus/focus_keeper.h"
#include "app/menus/modal_run.h"

namespace L = KV_MessageBoxLayout;

int KV_MessageBox::show(CL_Component* parent, const std::string& title, const std::string& text,
                        const std::string& caption1, const std::string& caption2, const std::string& caption3) {
    KV_FocusKeeper focus(parent);
    KV_MessageBox box(parent, title, text, caption1, caption2, caption3);
    kv_run_modal(box);
    return box.get_result();
}

KV_MessageBox::KV_MessageBox(CL_Component* parent, const std::string& title, const std::string& text,
                             const std::string& caption1, const std::string& caption2,
                             const std::string& caption3)
    : CL_Window(CL_Rect(0, 0, L::WIDTH, L::EXTRA_HEIGHT), title, parent, parent->get_style_manager()),
      title_(title),
      text_(text),
      caption1_(caption1),
      caption2_(caption2),
      caption3_(caption3),
      font_("my_fnt_4", parent->get_style_manager()->get_resources()) {
    const int text_height = font_.get_height(text_, CL_Size(L::TEXT_WIDTH, 0));
    const L::Box box = L::window(CL_Display::get_width(), CL_Display::get_height(), text_height);
    set_position(CL_Rect(box.left, box.top, box.right, box.bottom));
    set_title(title_);

    const std::string captions[] = {caption1_, caption2_, caption3_};
    const int count = L::button_count(caption1_, caption2_, caption3_);
    const int top = L::button_top(box.bottom - box.top);
    std::vector<CL_Button*> buttons;
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) {
        auto* button = new CL_Button(CL_Point(L::BUTTON_CENTRE, top), captions[i], get_client_area());
        button->find_preferred_size();
        button->set_tab_id(i + 1);
        const std::string name = "btn_" + std::to_string(i + 1);
        components_[name] = std::shared_ptr<CL_Component>(button);
        slots_.connect(button->sig_clicked(), this, &KV_MessageBox::on_button, i + 1);
        buttons.push_back(button);
        widths.push_back(button->get_width());
    }
    const std::vector<int> lefts = L::button_lefts(widths);
    for (int i = 0; i < count; ++i) buttons[i]->set_position(lefts[i], top);
    buttons[0]->set_focus();

    slots_.connect(CL_Keyboard::sig_key_down(), this, &KV_MessageBox::on_key_down);
    slots_.connect(sig_end_paint(), this, &KV_MessageBox::draw_text);
}

KV_MessageBox::~KV_MessageBox() = default;

CL_Component* KV_MessageBox::get_button(const std::string& name) const {
    auto found = components_.find(name);
    return found == components_.end() ? nullptr : found->second.get();
}

void KV_MessageBox::on_button(int number) {
    result_ = number;
    quit();
}

void KV_MessageBox::on_key_down(const CL_InputEvent& key) {
    // The keyboard's own signal: a key held over from before counts only once the GUI takes input again.
    if (key.id != CL_KEY_ESCAPE || !get_gui_manager()->is_input_enabled()) return;
    result_ = -1;
    quit();
}

void KV_MessageBox::draw_text() {
    const CL_Rect screen = get_screen_rect();
    font_.draw(CL_Rect(screen.left + L::TEXT_LEFT, screen.top + L::TEXT_TOP, screen.right - L::TEXT_RIGHT,
                       screen.bottom - L::TEXT_BOTTOM),
               text_);
}
