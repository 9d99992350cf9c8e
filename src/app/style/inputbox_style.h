// The look of input boxes: a translucent rounded box, an outline that turns white with the
// focus, the text scrolled so the cursor stays in view, marked text highlighted and a
// blinking cursor. Editing itself is ClanLib's.
#pragma once

#include <ClanLib/GUI/component_style.h>
#include <ClanLib/Signals/slot_container.h>

#include <string>
#include <vector>

class CL_Font;
class CL_InputBox;
class CL_InputEvent;
class CL_ResourceManager;
class CL_StyleManager_QX;
class CL_Timer;

namespace QxInputLook {

// Where the parts of an input box's text go, in box coordinates.
struct TextLayout {
    int first;                    // first character drawn
    int hidden;                   // width of the characters scrolled off the front
    bool marked;                  // a highlight is drawn
    int mark_left, mark_right;    // its horizontal extent (top 4, bottom font height + 5)
    int cursor_x;
};

// `widths` holds the width of each character of the text, `text_width` the width of the
// whole text. Cursor and selection are clamped to the text.
TextLayout text_layout(const std::vector<int>& widths, int text_width, int box_width, int cursor, bool has_mark,
                       int selection_start, int selection_length);

// The cursor position under box coordinate x: the gap between letters nearest to it.
int position_at(const std::vector<int>& widths, int hidden, int x);

}  // namespace QxInputLook

class CL_InputBox_QX : public CL_ComponentStyle {
public:
    CL_InputBox_QX(CL_InputBox* box, CL_StyleManager_QX* manager);
    ~CL_InputBox_QX() override;

    bool is_cursor_visible() const { return cursor_visible; }

private:
    // ClanLib's input box edits only through events a style hands to it.
    void on_input_down(const CL_InputEvent& event);
    void on_input_up(const CL_InputEvent& event);
    void on_mouse_move(const CL_InputEvent& event);
    int position_under(int x) const;

    void on_blink_timer();
    void on_paint();
    void paint_text();

    CL_InputBox* box;
    CL_StyleManager_QX* style_manager;
    CL_ResourceManager* resources;
    CL_Font* font = nullptr;
    CL_SlotContainer slots;
    CL_Timer* blink_timer = nullptr;
    bool cursor_visible = true;
    int hidden = 0;  // width scrolled off the front at the last paint
};
