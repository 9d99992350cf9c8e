// The message box in the program's look, on the real fonts: its size and
// button row, the focus of its first button, and the keys that close it, sent
// as real key events under an X server.
#include <gtest/gtest.h>

#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>
#include <ClanLib/gui.h>

#include <cstdlib>
#include <string>

#include "app/menus/message_box.h"
#include "app/menus/message_box_layout.h"
#include "app/menus/modal_run.h"
#include "front_end/front_end_display.h"

namespace {

namespace L = KV_MessageBoxLayout;
using front_end_display::FrontEndDisplay;

const std::string kLong =
    "Are you sure ?\nInformation about all completed levels for player 'A rather long player name (2)' will be lost!";

}  // namespace

TEST(MessageBox, IsAsHighAsItsWrappedTextAndCentred) {
    const struct {
        std::string text;
        int lines_at_least;
    } rows[] = {{"You should play the game first.", 1}, {kLong, 3}};
    for (const auto& r : rows) {
        KV_MessageBox box(FrontEndDisplay::gui, "Information", r.text, "OK", "", "");
        const CL_Rect at = box.get_position();
        const int line = FrontEndDisplay::font->get_height("P");
        const int text_height = FrontEndDisplay::font->get_height(r.text, CL_Size(L::TEXT_WIDTH, 0));
        EXPECT_EQ(at.get_height(), 2 * ((text_height + 90) / 2)) << r.text;
        EXPECT_GE(text_height, r.lines_at_least * line) << r.text;
        EXPECT_EQ(at.left, 200);
        EXPECT_EQ(at.right, 600);
        EXPECT_EQ(at.top + at.bottom, 600);
        // Wrapped where it is drawn: no line runs past the right margin.
        EXPECT_LE(FrontEndDisplay::font->get_width(r.text, CL_Size(L::TEXT_WIDTH, 0)), L::TEXT_WIDTH) << r.text;
    }
}

TEST(MessageBox, ButtonRowIsCentredAndTheFirstHasTheFocus) {
    const struct {
        const char *c1, *c2, *c3;
        int count;
    } rows[] = {{"OK", "", "", 1}, {"OK", "Cancel", "", 2}, {"OK", "", "Cancel", 3}};
    for (const auto& r : rows) {
        KV_MessageBox box(FrontEndDisplay::gui, "Warning", "Overwrite the demo ?", r.c1, r.c2, r.c3);
        int row_left = 100000, row_right = -1;
        for (int i = 1; i <= 3; ++i) {
            CL_Component* b = box.get_button("btn_" + std::to_string(i));
            ASSERT_EQ(b != nullptr, i <= r.count) << r.c1 << r.c2 << r.c3 << " button " << i;
            if (!b) continue;
            EXPECT_EQ(b->get_tab_id(), i);
            EXPECT_EQ(b->get_position().top, L::button_top(box.get_position().get_height()));
            row_left = std::min(row_left, b->get_position().left);
            row_right = std::max(row_right, b->get_position().right);
        }
        EXPECT_LE(std::abs((row_left + row_right) / 2 - 200), 1) << r.c1 << r.c2 << r.c3;
        EXPECT_TRUE(box.get_button("btn_1")->has_focus());
    }
}

// Keys go in from another process while the box runs modally.
TEST(MessageBox, KeysCloseItWithTheirResult) {
    const struct {
        int focus;         // the button given the focus before the run
        const char* keys;  // xdotool key names
        int result;
    } rows[] = {
        {1, "Return", 1}, {3, "Return", 3}, {2, "space", 2}, {1, "Escape", -1}, {3, "Escape", -1},
    };
    for (const auto& r : rows) {
        KV_MessageBox box(FrontEndDisplay::gui, "Deleting Player", kLong, "OK", "Maybe", "Cancel");
        box.get_button("btn_" + std::to_string(r.focus))->set_focus();
        ASSERT_EQ(std::system((std::string("(sleep 0.4; xdotool key ") + r.keys + ") &").c_str()), 0);
        box.run();
        EXPECT_EQ(box.get_result(), r.result) << r.keys << " on button " << r.focus;
    }
}

// Once the window is closing a dialog no longer opens: the caller gets its
// cancel answer at once, and the program can go on to its end.
TEST(MessageBox, AfterTheWindowClosedItAnswersAtOnceAsCancelled) {
    kv_close_dialogs();
    EXPECT_EQ(KV_MessageBox::show(FrontEndDisplay::gui, "Warning", "Overwrite the demo ?", "OK", "Cancel"), -1);
    kv_reopen_dialogs();
    EXPECT_FALSE(kv_dialogs_closed());
}
