// The look of check boxes (two box images, a tick when checked, the text), frames (a flat
// filled rectangle) and windows (every dialog: a translucent rounded body, a title tab
// that drags the window, and a close button "X").
#pragma once

#include <ClanLib/Core/Math/rect.h>
#include <ClanLib/GUI/component_style.h>
#include <ClanLib/Signals/slot_container.h>

#include <string>

class CL_Button;
class CL_CheckBox;
class CL_ComponentMoveHandler;
class CL_Font;
class CL_Frame;
class CL_ResourceManager;
class CL_Size;
class CL_StyleManager_QX;
class CL_Surface;
class CL_Window;

namespace QxWindowLook {
// The title tab from the title's font width and height, in window coordinates.
CL_Rect title_rect(int title_width, int title_height);
// The close button, at the top right of a window w pixels wide.
CL_Rect close_rect(int width);
// The client area of a window w x h.
CL_Rect client_rect(int width, int height);
}  // namespace QxWindowLook

class CL_CheckBox_QX : public CL_ComponentStyle {
public:
    CL_CheckBox_QX(CL_CheckBox* box, CL_StyleManager_QX* manager);
    ~CL_CheckBox_QX() override;

private:
    void on_paint();
    void on_get_preferred_size(CL_Size& size);

    CL_CheckBox* box;
    CL_StyleManager_QX* style_manager;
    CL_ResourceManager* resources;
    CL_Font* font = nullptr;
    CL_Surface* left = nullptr;
    CL_Surface* right = nullptr;
    CL_Surface* ticker = nullptr;
    CL_SlotContainer slots;
};

class CL_Frame_QX : public CL_ComponentStyle {
public:
    CL_Frame_QX(CL_Frame* frame, CL_StyleManager_QX* manager);

private:
    void on_paint();

    CL_Frame* frame;
    CL_StyleManager_QX* style_manager;
    CL_SlotContainer slots;
};

class CL_Window_QX : public CL_ComponentStyle {
public:
    CL_Window_QX(CL_Window* window, CL_StyleManager_QX* manager);
    ~CL_Window_QX() override;

    CL_Button* get_close_button() const { return close_button; }
    const CL_Rect& get_title_rect() const { return title; }

private:
    void make_title_and_handler();
    void on_paint();
    void on_close_clicked();

    CL_Window* window;
    CL_StyleManager_QX* style_manager;
    CL_ResourceManager* resources;
    CL_Font* font = nullptr;
    CL_Button* close_button = nullptr;
    CL_Rect title;
    CL_Rect client;
    CL_ComponentMoveHandler* move_handler = nullptr;
    bool layout_pending = true;
    CL_SlotContainer slots;
};
