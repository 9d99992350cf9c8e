// The input box's text scrolling and marking, and the focus order.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "app/style/focus.h"
#include "app/style/inputbox_style.h"

using QxInputLook::text_layout;
using QxInputLook::TextLayout;

namespace {
TextLayout lay(const std::vector<int>& w, int box, int cursor, bool mark = false, int s = 0, int len = 0) {
    return text_layout(w, std::accumulate(w.begin(), w.end(), 0), box, cursor, mark, s, len);
}
}  // namespace

TEST(InputText, ShortTextIsDrawnWholeWithTheCursorAfterIt) {
    const TextLayout t = lay({10, 10, 10}, 100, 3);
    EXPECT_EQ(t.first, 0);
    EXPECT_EQ(t.hidden, 0);
    EXPECT_EQ(t.cursor_x, 36);
    EXPECT_FALSE(t.marked);
}

TEST(InputText, LongTextScrollsItsTailIntoView) {
    // 20 letters of 10 in a box of 112 (room 100) with the cursor at the end: 11 drop
    // off the front, leaving 90 in view.
    const std::vector<int> w(20, 10);
    const TextLayout end = lay(w, 112, 20);
    EXPECT_EQ(end.first, 11);
    EXPECT_EQ(end.hidden, 110);
    EXPECT_EQ(end.cursor_x, 96);
    // Never past the letter before the cursor.
    EXPECT_EQ(lay(w, 112, 5).first, 4);
    EXPECT_EQ(lay(w, 112, 1).first, 0);
    EXPECT_EQ(lay(w, 112, 0).first, 0);
    EXPECT_EQ(lay(w, 12, 1).hidden, 0);
}

TEST(InputText, MarkLiesUnderTheMarkedLettersOfAScrolledBox) {
    const std::vector<int> w = {5, 7, 9, 11, 13, 5, 7, 9, 11, 13};
    const TextLayout t = lay(w, 50, 10, true, 7, 2);  // marks letters 7 and 8 (9 and 11 wide)
    EXPECT_GT(t.hidden, 0);
    const int start_of_7 = 6 - t.hidden + 5 + 7 + 9 + 11 + 13 + 5 + 7;
    EXPECT_EQ(t.mark_left, start_of_7 - 1);
    EXPECT_EQ(t.mark_right, start_of_7 + 9 + 11);
}

TEST(InputText, CursorAndSelectionPastTheTextAreKeptOnIt) {
    const std::vector<int> w = {10, 10, 10};
    const TextLayout t = lay(w, 100, 9, true, 2, 40);
    EXPECT_EQ(t.cursor_x, 36);
    EXPECT_EQ(t.mark_left, 25);
    EXPECT_EQ(t.mark_right, 36);
    const TextLayout negative = lay(w, 100, -4, true, -3, 1);
    EXPECT_EQ(negative.cursor_x, 6);
    EXPECT_EQ(negative.mark_left, 5);
    EXPECT_EQ(negative.mark_right, 6);
    EXPECT_EQ(lay({}, 100, 3).cursor_x, 6);
}

TEST(FocusOrder, NextAndPreviousTabIdWrapRound) {
    const std::vector<int> ids = {4, 0, 2, 7, 2};
    const struct { int current, step, expected; } rows[] = {
        {0, +1, 2}, {2, +1, 4}, {7, +1, 0}, {0, -1, 7}, {4, -1, 2},
        {-1, +1, 0}, {-1, -1, 7}, {3, +1, 0},  // not in the order: from the start or the end
    };
    for (const auto& r : rows) EXPECT_EQ(QxFocus::next_tab_id(ids, r.current, r.step), r.expected) << r.current;
    EXPECT_EQ(QxFocus::next_tab_id({}, 0, +1), -1);
    EXPECT_EQ(QxFocus::next_tab_id({5}, 5, +1), 5);
}

TEST(InputText, MouseGoesToTheNearestGapBetweenLetters) {
    const std::vector<int> w = {10, 10, 10};
    const struct { int hidden, x, position; } rows[] = {
        {0, 0, 0}, {0, 10, 0}, {0, 11, 1}, {0, 20, 1}, {0, 21, 2}, {0, 35, 3}, {0, 500, 3}, {10, 5, 1}, {10, 0, 0},
    };
    for (const auto& r : rows) EXPECT_EQ(QxInputLook::position_at(w, r.hidden, r.x), r.position) << r.x;
}
