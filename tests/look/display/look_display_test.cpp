// The program's look as a player meets it: a GUI with one component of every styled
// type, built from a layout on the style manager in a window under an X server, painted,
// read back pixel by pixel, driven with real key and mouse events, and saved as PNG.
#include <gtest/gtest.h>

#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>
#include <ClanLib/gui.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/style/button_style.h"
#include "app/style/focus.h"
#include "app/style/list_items.h"
#include "app/style/listbox_style.h"
#include "app/style/palette.h"
#include "app/style/small_styles.h"
#include "app/style/style_manager.h"
#include "support/gui_display.h"

namespace {

const std::string kSource = KARVOLT_SOURCE_DIR;

bool same(const CL_Color& a, const CL_Color& b) {
    return a.get_red() == b.get_red() && a.get_green() == b.get_green() && a.get_blue() == b.get_blue();
}

// Images pass through the GL texture path, which may round a channel by one.
bool close_to(const CL_Color& a, const CL_Color& b) {
    const auto d = [](unsigned x, unsigned y) { return x > y ? x - y : y - x; };
    return d(a.get_red(), b.get_red()) <= 2 && d(a.get_green(), b.get_green()) <= 2 && d(a.get_blue(), b.get_blue()) <= 2;
}

std::string rgb(const CL_Color& c) {
    return std::to_string(c.get_red()) + "," + std::to_string(c.get_green()) + "," + std::to_string(c.get_blue());
}

using gui_display::GuiDisplay;
const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiDisplay("karvolt look test", 640, 480));

class Look : public ::testing::Test {
protected:
    void SetUp() override {
        gui_ = new CL_GUIManager(style_);
        layout_ = new CL_ComponentManager(kSource + "/tests/look/data/every_component.xml", gui_, style_);
        levels_ = get<CL_ListBox>("levels");
        for (int i = 0; i < 30; ++i)
            levels_->insert_item(new CL_ListLevelStatItem(i, "Level title " + std::to_string(i + 1), i % 3 == 0 ? 2 : 0),
                                 -1, true);
        levels_->set_current_item(1);
        files_ = get<CL_ListBox>("files");
        const char* names[] = {"classic.dat", "extra.d01", "hexmoor.hxm"};
        for (const char* n : names) files_->insert_item(new CL_ListFileItem(n, 0), -1, true);
        files_->insert_item(new CL_ListFileItem("Players", 1), -1, true);
        files_->set_current_item(0);
        plain_ = get<CL_ListBox>("plain");
        plain_->insert_item("one");
        plain_->insert_item("two");
    }
    void TearDown() override {
        if (shot_locked_) shot_.unlock();
        shot_locked_ = false;
        delete layout_;
        delete gui_;
    }

    template <class T>
    T* get(const std::string& name) {
        return dynamic_cast<T*>(layout_->get_component(name));
    }

    static void pump(int rounds = 5) { gui_display::pump(rounds); }
    void xdotool(const std::string& args) {
        ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
        pump();
    }
    // Mouse at a point of the window, in window pixels.
    void mouse_to(int x, int y) {
        // Raised first: another test program's window must not take the pointer's events.
        xdotool("windowraise " + window_id_ + " mousemove --window " + window_id_ + " " + std::to_string(x) + " " +
                std::to_string(y));
    }

    // Paints the GUI over black and reads the frame back; saves it when a file is named.
    void paint(const std::string& png = "") {
        if (shot_locked_) shot_.unlock();
        CL_Display::clear(CL_Color(0, 0, 0));
        gui_->show();
        shot_ = CL_Display::get_back_buffer();
        if (!png.empty()) CL_ProviderFactory::save(shot_, png);
        shot_.lock();
        shot_locked_ = true;
        CL_Display::flip();
    }
    CL_Color at(int x, int y) { return shot_.get_pixel(x, y); }
    // Whether any pixel of the rectangle has exactly this colour.
    bool has_colour(const CL_Rect& r, const CL_Color& c, bool (*match)(const CL_Color&, const CL_Color&) = same) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (match(at(x, y), c)) return true;
        return false;
    }

    CL_ResourceManager* const resources_ = GuiDisplay::resources;
    CL_StyleManager_QX* const style_ = GuiDisplay::style;
    const std::string window_id_ = GuiDisplay::window_id;
    CL_GUIManager* gui_ = nullptr;
    CL_ComponentManager* layout_ = nullptr;
    CL_ListBox* levels_ = nullptr;
    CL_ListBox* files_ = nullptr;
    CL_ListBox* plain_ = nullptr;
    CL_PixelBuffer shot_;
    bool shot_locked_ = false;
};

}  // namespace

TEST_F(Look, EveryComponentGetsItsOwnStyle) {
    const struct { const char* name; bool (*styled)(CL_ComponentStyle*); } rows[] = {
        {"btn_play", [](CL_ComponentStyle* s) { return dynamic_cast<CL_Button_QX*>(s) != nullptr; }},
        {"levels", [](CL_ComponentStyle* s) { return dynamic_cast<CL_ListBox_QX*>(s) != nullptr; }},
        {"chk_music", [](CL_ComponentStyle* s) { return dynamic_cast<CL_CheckBox_QX*>(s) != nullptr; }},
        {"frm_line", [](CL_ComponentStyle* s) { return dynamic_cast<CL_Frame_QX*>(s) != nullptr; }},
        {"radio", [](CL_ComponentStyle* s) { return s == nullptr; }},
    };
    for (const auto& r : rows) EXPECT_TRUE(r.styled(layout_->get_component(r.name)->get_style())) << r.name;
    // Type names compare exactly.
    CL_Component plain(CL_Rect(0, 0, 10, 10), gui_, style_);
    style_->connect_styles("Button", &plain);
    style_->connect_styles("component", &plain);
    EXPECT_EQ(plain.get_style(), nullptr);
}

TEST_F(Look, OutlineMidEdgesInThePaletteAndCutCornersLeftUnpainted) {
    paint("look_every_component.png");
    const struct { const char* name; CL_Rect r; } boxes[] = {
        {"levels", CL_Rect(20, 100, 280, 250)}, {"files", CL_Rect(300, 100, 520, 250)},
        {"inp_name", CL_Rect(320, 42, 520, 70)},
    };
    const CL_Color black(0, 0, 0);
    for (const auto& b : boxes) {
        const CL_Rect& r = b.r;
        const int mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
        const struct { int x, y; CL_Color c; } points[] = {
            {mx, r.top, QxPalette::outline},       {mx, r.bottom - 1, QxPalette::outline},
            {r.left, my, QxPalette::outline},      {r.right - 1, my, QxPalette::outline},
            {r.left + 1, r.top + 5, QxPalette::outline},  // the corner's step
            {r.left, r.top, black},                {r.right - 1, r.top, black},
            {r.left, r.bottom - 1, black},         {r.right - 1, r.bottom - 1, black},
            {r.left + 2, r.top + 2, black},
        };
        for (const auto& p : points)
            EXPECT_TRUE(same(at(p.x, p.y), p.c)) << b.name << " at " << p.x << "," << p.y << ": " << rgb(at(p.x, p.y));
    }
    EXPECT_TRUE(same(at(320, 271), QxPalette::frame));
    // A radio button is no type of this look: nothing of it is drawn.
    EXPECT_FALSE(has_colour(CL_Rect(200, 290, 260, 320), CL_Color(255, 255, 255)));
}

TEST_F(Look, FocusedOutlineTurnsWhiteAlsoWhenAClickFocusedTheClientArea) {
    levels_->set_focus();
    paint();
    EXPECT_TRUE(same(at(150, 100), QxPalette::outline_focused));
    EXPECT_TRUE(same(at(410, 100), QxPalette::outline));
    mouse_to(400, 200);
    xdotool("click 1");
    paint("look_focus.png");
    EXPECT_TRUE(files_->get_client_area()->has_focus() || files_->has_focus());
    EXPECT_TRUE(same(at(410, 100), QxPalette::outline_focused)) << rgb(at(410, 100));
    EXPECT_TRUE(same(at(150, 100), QxPalette::outline));
}

TEST_F(Look, RowColoursBySolvedStateAndTheCurrentRow) {
    paint();
    CL_Font font("ListBox/font", resources_);
    const int fh = font.get_height();
    const int left = levels_->get_client_area()->get_screen_x();
    const int top = levels_->get_client_area()->get_screen_y();
    const auto band = [&](int row) { return CL_Rect(left, top + fh * row, left + 200, top + fh * (row + 1)); };
    // Row 0 is solved, row 1 current, row 2 open.
    EXPECT_TRUE(has_colour(band(0), QxPalette::list_text_marked));
    EXPECT_FALSE(has_colour(band(0), QxPalette::list_text));
    EXPECT_TRUE(same(at(left + 1, top + fh + 1), QxPalette::current_row));
    EXPECT_TRUE(has_colour(band(1), QxPalette::text_active));
    EXPECT_TRUE(has_colour(band(2), QxPalette::list_text));
    EXPECT_FALSE(has_colour(band(2), QxPalette::list_text_marked));
    // A solved level that is current is white on the current-row colour.
    levels_->set_current_item(3);
    paint();
    EXPECT_TRUE(same(at(left + 1, top + fh * 3 + 1), QxPalette::current_row));
    EXPECT_FALSE(has_colour(band(3), QxPalette::list_text_marked));
    // A file row of kind 1 in brackets and the marked colour.
    const int ftop = files_->get_client_area()->get_screen_y(), fleft = files_->get_client_area()->get_screen_x();
    EXPECT_TRUE(has_colour(CL_Rect(fleft, ftop + fh * 3, fleft + 150, ftop + fh * 4), QxPalette::list_text_marked));
}

TEST_F(Look, CheckBoxShowsItsBoxAndTheTickOnlyWhenChecked) {
    CL_CheckBox* box = get<CL_CheckBox>("chk_music");
    ASSERT_TRUE(box);
    const int sx = box->get_screen_x(), sy = box->get_screen_y();
    const CL_Rect tick_area(sx - 3, sy - 10, sx + 33, sy + 28);
    const CL_Color tick(226, 255, 190);
    box->set_checked(false);
    paint();
    EXPECT_TRUE(close_to(at(sx + 1, sy + 13), QxPalette::outline)) << rgb(at(sx + 1, sy + 13));
    EXPECT_FALSE(has_colour(tick_area, tick, close_to));
    box->set_checked(true);
    paint("look_checked.png");
    EXPECT_TRUE(has_colour(tick_area, tick, close_to));
    // The tick leaps out above the box.
    EXPECT_TRUE(has_colour(CL_Rect(sx, sy - 10, sx + 33, sy), tick, close_to));
}

TEST_F(Look, ScrollBarShownOnlyWhileRowsOverflowAndTheWheelScrollsFiveRows) {
    auto* style = dynamic_cast<CL_ListBox_QX*>(levels_->get_style());
    ASSERT_TRUE(style);
    EXPECT_TRUE(style->is_scrollbar_shown());
    EXPECT_FALSE(dynamic_cast<CL_ListBox_QX*>(plain_->get_style())->is_scrollbar_shown());
    paint();
    const CL_Rect bar(263, 120, 278, 230);
    EXPECT_TRUE(has_colour(bar, QxPalette::scroll_track));
    EXPECT_TRUE(has_colour(bar, QxPalette::scroll_slider));

    mouse_to(150, 175);
    xdotool("click 5");
    EXPECT_EQ(levels_->get_top_item(), 5);
    xdotool("click 5");
    EXPECT_EQ(levels_->get_top_item(), 10);
    xdotool("click 4");
    xdotool("click 4");
    xdotool("click 4");
    EXPECT_EQ(levels_->get_top_item(), 0);
    xdotool("click --repeat 8 --delay 20 5");
    const int most = levels_->get_top_item();
    EXPECT_GT(most, 10);
    EXPECT_LE(most, 30 - 7);
    paint("look_scrolled.png");
    // A list whose rows fit leaves the wheel alone.
    mouse_to(580, 175);
    xdotool("click 5");
    EXPECT_EQ(plain_->get_top_item(), 0);

    // Emptied, the list hides its bar and gives the client area its width back.
    const int narrow = levels_->get_client_area()->get_width();
    levels_->clear();
    EXPECT_FALSE(style->is_scrollbar_shown());
    EXPECT_EQ(levels_->get_client_area()->get_width(), narrow + 16);
}

TEST_F(Look, ScrollButtonsStepAtOnceRepeatWhileHeldAndNeverTakeTheFocus) {
    paint();
    paint();
    auto* bar_style = dynamic_cast<CL_ScrollBar_QX*>(
        dynamic_cast<CL_ListBox_QX*>(levels_->get_style())->get_scrollbar()->get_style());
    ASSERT_TRUE(bar_style);
    CL_Button* down = bar_style->get_down_button();
    const int bx = down->get_screen_x() + 8, by = down->get_screen_y() + 8;
    levels_->set_focus();
    mouse_to(bx, by);
    xdotool("click 1");
    EXPECT_EQ(levels_->get_top_item(), 1);
    EXPECT_FALSE(down->has_focus());
    xdotool("mousedown 1");
    pump(70);  // 700 ms held
    xdotool("mouseup 1");
    const int held = levels_->get_top_item();
    EXPECT_GE(held, 4);  // one at once, then one every 250 ms
    EXPECT_LE(held, 5);
    pump(60);
    EXPECT_EQ(levels_->get_top_item(), held);
    EXPECT_FALSE(down->has_focus());
}

TEST_F(Look, InputBoxTakesTypedTextAndPaintsAnyByte) {
    CL_InputBox* box = get<CL_InputBox>("inp_name");
    ASSERT_TRUE(box);
    mouse_to(400, 55);
    xdotool("click 1");
    EXPECT_TRUE(box->has_focus());
    xdotool("type --delay 20 'Ada Lovelace'");
    EXPECT_EQ(box->get_text(), "Ada Lovelace");
    paint("look_input.png");
    EXPECT_TRUE(same(at(420, 42), QxPalette::outline_focused));
    // A click before the first letter puts the cursor there.
    mouse_to(327, 55);
    xdotool("click 1");
    xdotool("type 'X'");
    EXPECT_EQ(box->get_text(), "XAda Lovelace");
    xdotool("key End");
    xdotool("type --delay 10 ' and a much longer name than fits'");
    paint("look_input_scrolled.png");
    // The tail with the cursor stays inside the box.
    EXPECT_TRUE(has_colour(CL_Rect(480, 46, 516, 66), CL_Color(255, 255, 255)));
    box->set_text("\xe9t\xe9 \xff\x80");
    box->set_cursor_position(40);
    box->set_selection(2, 30);
    paint();
}

TEST_F(Look, TextButtonsRestGreyGlowWhenFocusedAndLeaveSharedFontsAlone) {
    CL_Button* play = get<CL_Button>("btn_play");
    ASSERT_TRUE(play);
    mouse_to(630, 470);
    paint();
    paint();
    const CL_Rect text(20, 40, 140, 70);
    EXPECT_TRUE(has_colour(text, QxPalette::button_rest));
    EXPECT_FALSE(has_colour(text, CL_Color(255, 255, 255)));
    // The label in the buttons' font, painted after a grey button, keeps the font's own white.
    EXPECT_TRUE(has_colour(CL_Rect(300, 8, 500, 34), CL_Color(255, 255, 255)));
    play->set_focus();
    paint();
    EXPECT_TRUE(has_colour(text, CL_Color(255, 255, 255)));
    // The mouse over the quit button fades it up to white in 28 steps of 10 ms.
    auto* quit = dynamic_cast<CL_Button_QX*>(get<CL_Button>("btn_quit")->get_style());
    mouse_to(200, 55);
    pump(50);
    EXPECT_EQ(quit->get_brightness(), 255);
    mouse_to(630, 470);
    pump(50);
    EXPECT_EQ(quit->get_brightness(), 200);
}

TEST_F(Look, ButtonsAndLabelsTakeTheSizeOfWhatTheyShow) {
    CL_Font button_font("Button/font", resources_), big("Button/font_big", resources_), label_font("Label/font", resources_);
    const struct { const char* name; int w, h; } rows[] = {
        {"btn_play", button_font.get_width("Play") + 4, button_font.get_height("Play") + 4},
        {"btn_quit", big.get_width("Quit") + 4, big.get_height("Quit") + 4},
        {"btn_image", 18, 18},
        {"lbl_title", label_font.get_width("Choose a level"), label_font.get_height("P")},
        {"lbl_other", button_font.get_width("Player: ADA"), button_font.get_height("P")},
    };
    for (const auto& r : rows) {
        CL_Component* c = layout_->get_component(r.name);
        EXPECT_EQ(c->get_width(), r.w) << r.name;
        EXPECT_EQ(c->get_height(), r.h) << r.name;
    }
}

TEST_F(Look, ButtonOfImagesAloneShowsThemAndAKeyPressLeavesItUp) {
    CL_Button* button = get<CL_Button>("btn_image");
    auto* style = dynamic_cast<CL_Button_QX*>(button->get_style());
    ASSERT_TRUE(style);
    EXPECT_EQ(style->get_type(), QxButtonLook::Bitmap);
    paint();
    const CL_Rect image(560, 290, 578, 308);
    EXPECT_TRUE(has_colour(image, QxPalette::scroll_slider, close_to));
    int clicks = 0;
    CL_Slot counted = button->sig_clicked().connect_functor([&] { ++clicks; });
    button->set_focus();
    xdotool("key Return");
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(style->is_pressed());
}

TEST_F(Look, TabOrderHelperWalksTheLayoutsTabIds) {
    get<CL_Button>("btn_play")->set_focus();
    const char* forward[] = {"btn_quit", "inp_name", "levels", "files", "plain", "chk_music", "btn_image", "btn_play"};
    for (const char* name : forward) {
        CL_Component* now = QxFocus::focus_next(gui_);
        EXPECT_EQ(now, layout_->get_component(name)) << name;
    }
    EXPECT_EQ(QxFocus::focus_previous(gui_), layout_->get_component("btn_image"));
    // A focused client area counts as its list.
    files_->get_client_area()->set_focus();
    EXPECT_EQ(QxFocus::focus_next(gui_), layout_->get_component("plain"));
    // ClanLib's own Tab key goes the same way.
    get<CL_Button>("btn_play")->set_focus();
    xdotool("key Tab");
    EXPECT_TRUE(get<CL_Button>("btn_quit")->has_focus());
}

// A dialog as the program builds them: a window with fields in its client area.
class LookWindow : public Look {
protected:
    void SetUp() override {
        Look::SetUp();
        dialog_ = new CL_Window(CL_Rect(300, 290, 620, 460), "Save demo", gui_, style_);
        field_ = new CL_InputBox(CL_Rect(20, 30, 280, 58), "demo01", dialog_->get_client_area(), style_);
        ok_ = new CL_Button(CL_Rect(40, 90, 100, 120), "OK", dialog_->get_client_area(), style_);
        style_of_ = dynamic_cast<CL_Window_QX*>(dialog_->get_style());
    }
    void TearDown() override {
        delete ok_;
        delete field_;
        delete dialog_;
        Look::TearDown();
    }
    CL_Window* dialog_ = nullptr;
    CL_InputBox* field_ = nullptr;
    CL_Button* ok_ = nullptr;
    CL_Window_QX* style_of_ = nullptr;
};

TEST_F(LookWindow, BodyTitleTabAndCloseButton) {
    ASSERT_TRUE(style_of_);
    field_->set_focus();
    paint();
    paint("look_window.png");
    const CL_Rect tab = style_of_->get_title_rect();
    CL_Font font("Window/font", resources_);
    EXPECT_EQ(tab, CL_Rect(0, 0, font.get_width("Save demo") + 16, font.get_height("Save demo") + 10));
    const int sx = dialog_->get_screen_x(), sy = dialog_->get_screen_y();
    // The title tab: its fill just inside the left edge, its outline along the top.
    EXPECT_TRUE(same(at(sx + 3, sy + tab.bottom / 2), QxPalette::title_tab)) << rgb(at(sx + 3, sy + tab.bottom / 2));
    EXPECT_TRUE(same(at(sx + tab.right / 2, sy), QxPalette::outline)) << rgb(at(sx + tab.right / 2, sy)) << " focus " << dialog_->has_focus() << field_->has_focus();
    // The body from (12, 12): its outline along the bottom and the right.
    EXPECT_TRUE(same(at(sx + 160, sy + 169), QxPalette::outline));
    EXPECT_TRUE(same(at(sx + 319, sy + 90), QxPalette::outline));
    EXPECT_TRUE(same(at(sx + 5, sy + 100), CL_Color(0, 0, 0)));  // left of the body
    // With the keyboard focus on the window itself its outlines turn white.
    dialog_->set_focus();
    paint();
    EXPECT_TRUE(same(at(sx + tab.right / 2, sy), QxPalette::outline_focused));
    EXPECT_TRUE(same(at(sx + 160, sy + 169), QxPalette::outline_focused));
    // The client area starts at (12, 12): the field sits at 12 + 20, 12 + 30.
    EXPECT_EQ(field_->get_screen_x(), sx + 32);
    EXPECT_EQ(field_->get_screen_y(), sy + 42);
    CL_Button* close = style_of_->get_close_button();
    EXPECT_EQ(close->get_text(), "X");
    EXPECT_EQ(close->get_position(), CL_Rect(308, 3, 320, 15));
    EXPECT_FALSE(close->is_focusable());
}

TEST_F(LookWindow, DraggedByItsTitleTabKeepingTheFieldsFocus) {
    paint();
    field_->set_focus();
    const CL_Rect before = dialog_->get_position();
    mouse_to(before.left + 20, before.top + 10);
    xdotool("mousedown 1");
    mouse_to(before.left + 60, before.top + 40);
    mouse_to(before.left + 70, before.top + 50);
    xdotool("mouseup 1");
    EXPECT_EQ(dialog_->get_position().left, before.left + 50);
    EXPECT_EQ(dialog_->get_position().top, before.top + 40);
    EXPECT_TRUE(field_->has_focus());
    // Below the title tab the body doesn't drag.
    mouse_to(dialog_->get_position().left + 200, dialog_->get_position().top + 150);
    xdotool("mousedown 1");
    mouse_to(dialog_->get_position().left + 150, dialog_->get_position().top + 100);
    xdotool("mouseup 1");
    EXPECT_EQ(dialog_->get_position().left, before.left + 50);
}

TEST_F(LookWindow, CloseEndsAModalRunAndClosesAWindowShownWithoutOne) {
    paint();
    bool timed_out = false;
    CL_Timer click(100), guard(3000);
    CL_Slot s1 = click.sig_timer().connect_functor([&] {
        click.disable();
        style_of_->get_close_button()->sig_clicked()();
    });
    CL_Slot s2 = guard.sig_timer().connect_functor([&] {
        timed_out = true;
        dialog_->quit();
    });
    click.enable();
    guard.enable();
    dialog_->run();
    guard.disable();
    EXPECT_FALSE(timed_out);

    int closed = 0;
    CL_Slot s3 = dialog_->sig_close().connect_functor([&] { ++closed; });
    style_of_->get_close_button()->sig_clicked()();
    pump();
    EXPECT_EQ(closed, 1);
}

TEST_F(LookWindow, HeldScrollButtonRepaintsTheListInsideAModalRun) {
    CL_ListBox* list = new CL_ListBox(CL_Rect(20, 30, 280, 130), dialog_->get_client_area(), style_);
    for (int i = 0; i < 30; ++i) list->insert_item("demo" + std::to_string(i) + ".kvd");
    auto* bar_style = dynamic_cast<CL_ScrollBar_QX*>(
        dynamic_cast<CL_ListBox_QX*>(list->get_style())->get_scrollbar()->get_style());
    ASSERT_TRUE(bar_style);
    CL_Button* down = bar_style->get_down_button();
    std::vector<int> painted_tops;
    CL_Slot paints = list->get_client_area()->sig_paint().connect_functor(
        [&] { painted_tops.push_back(list->get_top_item()); });
    // Released once the repeat has stepped three times and those steps were painted (or
    // after 5 s, so a broken repeat still ends the run).
    CL_Timer press(50), poll(20), give_up(5000);
    bool released = false;
    auto let_go = [&] {
        if (released) return;
        released = true;
        down->sig_released()();
        dialog_->quit();
    };
    CL_Slot s1 = press.sig_timer().connect_functor([&] {
        press.disable();
        down->sig_pressed()();
    });
    auto scrolled_paints = [&] {
        std::vector<int> seen;
        for (int top : painted_tops)
            if (top > 0 && std::find(seen.begin(), seen.end(), top) == seen.end()) seen.push_back(top);
        return seen;
    };
    // Also waits for the paints themselves: a loaded machine may run several timer steps
    // before the next frame, and a missing repaint still shows as the 5 s limit.
    CL_Slot s2 = poll.sig_timer().connect_functor([&] {
        if (list->get_top_item() >= 3 && scrolled_paints().size() >= 2) let_go();
    });
    CL_Slot s3 = give_up.sig_timer().connect_functor([&] { let_go(); });
    press.enable();
    poll.enable();
    give_up.enable();
    dialog_->run();
    poll.disable();
    give_up.disable();
    EXPECT_GE(list->get_top_item(), 3);
    // The list is painted while the button is held, not only after the run: a busy machine
    // may fold two steps into one frame, but at least two scrolled positions are seen.
    EXPECT_GE(int(scrolled_paints().size()), 2);
    delete list;
}
