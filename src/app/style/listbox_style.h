// The look of list boxes and scroll bars: a translucent rounded box with an outline, one
// text row per list row, a highlighted current row, per-kind row colours, a scroll bar
// shown only while the rows overflow, and wheel scrolling by 5 rows.
#pragma once

#include <ClanLib/Core/Math/rect.h>
#include <ClanLib/Display/color.h>
#include <ClanLib/GUI/component_style.h>
#include <ClanLib/Signals/slot_container.h>

#include <optional>
#include <string>
#include <vector>

class CL_Button;
class CL_DomElement;
class CL_Font;
class CL_InputEvent;
class CL_ListBox;
class CL_ListItem;
class CL_ResourceManager;
class CL_ScrollBar;
class CL_Size;
class CL_StyleManager_QX;
class CL_Timer;

namespace QxListLook {

enum ListType { Plain = 0, Levels = 1, Files = 2 };
// The list type after the layout's "type" attribute (absent reads as empty).
int type_from_options(const std::string& value, int list_type);

// Where the parts of a list box of size w x h sit, in list-box coordinates.
struct Layout {
    CL_Rect client;
    bool bar_shown;
    CL_Rect bar;
};
// Rows that fit in a client area of that height.
int visible_rows(int client_height, int item_height);
Layout layout(int width, int height, int count, int item_height);

// The first row asked for by a wheel event (`button` is the mouse key id), or nothing when
// the list leaves the event alone (another button, or all rows fit). The list box clamps it.
std::optional<int> wheel_top(int button, int top, int count, int item_height, int client_height);

// What one row shows.
struct RowLook {
    std::string text;
    CL_Color color;  // of the text
    bool current;    // drawn white on the current-row colour
};
RowLook row_look(int list_type, const CL_ListItem& row, bool current);

// The rows a paint draws: from `top` on, until one starts at or below the client's bottom.
std::vector<int> painted_rows(int count, int top, int row_height, int client_height);

// The scroll bar's buttons: up at the start, down at the end, square on the bar's thickness.
struct BarButtons {
    CL_Rect up, down;
};
BarButtons bar_buttons(int width, int height, bool vertical);
// The track between the buttons once the bar is laid out.
CL_Rect bar_track(int width, int height, bool vertical, const CL_Rect& up, const CL_Rect& down);

}  // namespace QxListLook

class CL_ListBox_QX : public CL_ComponentStyle {
public:
    CL_ListBox_QX(CL_ListBox* list, CL_StyleManager_QX* manager);
    ~CL_ListBox_QX() override;

    int get_list_type() const { return list_type; }
    bool is_scrollbar_shown() const { return scrollbar_shown; }
    CL_ScrollBar* get_scrollbar() const { return scrollbar; }

    void layout();
    void update_scrollbar(bool relayout);

private:
    void read_options(const CL_DomElement& element);
    void on_resize(int old_width, int old_height);
    void on_rows_changed(int index);
    void on_cleared();
    void on_scroll(int value);
    void on_mouse_down(const CL_InputEvent& event);
    void paint_background();
    void paint_outline();
    void paint_rows();

    CL_ListBox* list;
    CL_StyleManager_QX* style_manager;
    CL_ResourceManager* resources;
    CL_Font* font = nullptr;
    CL_ScrollBar* scrollbar = nullptr;
    int list_type = QxListLook::Plain;
    bool scrollbar_shown = true;
    CL_SlotContainer slots;
};

class CL_ScrollBar_QX : public CL_ComponentStyle {
public:
    CL_ScrollBar_QX(CL_ScrollBar* bar, CL_StyleManager_QX* manager, int button_mode);
    ~CL_ScrollBar_QX() override;

    // 0: text scroll buttons, 1: image scroll buttons.
    void set_button_mode(int mode);
    int get_button_mode() const { return button_mode; }
    CL_Button* get_up_button() const { return up_button; }
    CL_Button* get_down_button() const { return down_button; }

private:
    void on_paint();
    void on_button_pressed(int step);
    void on_button_released();
    void on_repeat_timer();
    void on_get_preferred_size(CL_Size& size);

    CL_ScrollBar* bar;
    CL_StyleManager_QX* style_manager;
    CL_ResourceManager* resources;
    int button_mode;
    CL_Button* down_button = nullptr;
    CL_Button* up_button = nullptr;
    CL_Timer* repeat_timer = nullptr;
    bool laid_out = false;
    int step = 1;
    CL_SlotContainer slots;
};
