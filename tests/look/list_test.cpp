// List rows, their text, order and colours, and the list box's layout and scrolling.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/style/list_items.h"
#include "app/style/listbox_style.h"
#include "app/style/palette.h"

using namespace QxListLook;

TEST(ListRows, LevelTextIsTheThreeDigitNumberThenTheTitle) {
    EXPECT_EQ(CL_ListLevelStatItem(6, "Warm-up", 0).str, "007: Warm-up");
    EXPECT_EQ(CL_ListLevelStatItem(0, "", 2).str, "001: ");
    EXPECT_EQ(CL_ListLevelStatItem(1233, "Far", 0).str, "1234: Far");
}

TEST(ListRows, FilesOrderByKindThenBytesAndLevelsByIndex) {
    CL_ListFileItem b("b.dat"), a("a.dat"), upper("Z.dat"), high("\xe9t\xe9.dat"), folder("zz", 1);
    std::vector<CL_ListItem*> rows = {&folder, &high, &b, &upper, &a};
    std::sort(rows.begin(), rows.end(), [](CL_ListItem* x, CL_ListItem* y) { return *x < *y; });
    std::vector<std::string> texts;
    for (CL_ListItem* r : rows) texts.push_back(r->str);
    // Byte order puts capitals first and bytes from 0x80 last.
    EXPECT_EQ(texts, (std::vector<std::string>{"Z.dat", "a.dat", "b.dat", "\xe9t\xe9.dat", "zz"}));
    EXPECT_TRUE(CL_ListFileItem("x", 0) == CL_ListFileItem("x", 0));
    EXPECT_FALSE(CL_ListFileItem("x", 0) == CL_ListFileItem("x", 1));

    CL_ListLevelStatItem l9(9, "A", 0), l2(2, "Z", 2), again(2, "other title", 0);
    EXPECT_TRUE(l2 < l9);
    EXPECT_FALSE(l9 < l2);
    EXPECT_TRUE(l2 == again);
    EXPECT_FALSE(l2 == l9);
}

TEST(ListRows, ColourByListTypeKindStateAndCurrent) {
    CL_ListItem plain;
    plain.str = "plain";
    CL_ListLevelStatItem solved(0, "S", 2), open(1, "O", 1);
    CL_ListFileItem file("f.dat", 0), folder("dir", 1);
    const CL_Color text = QxPalette::list_text, marked = QxPalette::list_text_marked, white = QxPalette::text_active;
    const struct { int type; const CL_ListItem* row; bool current; const char* shown; CL_Color colour; } rows[] = {
        {Plain, &plain, false, "plain", text},       {Plain, &solved, false, "001: S", text},
        {Levels, &solved, false, "001: S", marked},  {Levels, &open, false, "002: O", text},
        {Levels, &solved, true, "001: S", white},    {Levels, &plain, false, "plain", text},
        {Files, &file, false, "f.dat", text},        {Files, &folder, false, "[dir]", marked},
        {Files, &folder, true, "[dir]", white},      {Files, &plain, false, "plain", text},
        {Plain, &folder, false, "dir", text},
    };
    for (const auto& r : rows) {
        const RowLook look = row_look(r.type, *r.row, r.current);
        EXPECT_EQ(look.text, r.shown);
        EXPECT_EQ(look.color.color, r.colour.color) << r.shown << " in list type " << r.type;
        EXPECT_EQ(look.current, r.current);
    }
}

TEST(ListType, FromTheLayoutAttribute) {
    EXPECT_EQ(type_from_options("levels_list", Plain), Levels);
    EXPECT_EQ(type_from_options("files_list", Levels), Files);
    EXPECT_EQ(type_from_options("Levels_List", Plain), Plain);
    EXPECT_EQ(type_from_options("", Files), Files);
}

TEST(ListLayout, ScrollBarOnlyWhileRowsOverflow) {
    // 200 x 150 with 20-pixel rows: the client area is 142 high, so (142 - 4) / 20 = 6 rows fit.
    const Layout fits = layout(200, 150, 6, 20);
    EXPECT_FALSE(fits.bar_shown);
    EXPECT_EQ(fits.client, CL_Rect(4, 4, 196, 146));
    const Layout over = layout(200, 150, 7, 20);
    EXPECT_TRUE(over.bar_shown);
    EXPECT_EQ(over.client, CL_Rect(4, 4, 180, 146));
    EXPECT_EQ(over.bar, CL_Rect(181, 0, 200, 150));
    EXPECT_EQ(visible_rows(142, 20), 6);
    EXPECT_FALSE(layout(200, 150, 1000, 0).bar_shown);  // no row height: nothing to scroll
}

TEST(ListWheel, FiveRowsOnlyWhenTheRowsOverflow) {
    const struct { int button, top, count; std::optional<int> expected; } rows[] = {
        {4, 0, 30, 5}, {3, 10, 30, 5}, {3, 2, 30, -3}, {0, 3, 30, std::nullopt}, {4, 0, 7, std::nullopt},
    };
    // Rows of 20 in a client area 142 high: 7 rows take 140 and still fit.
    for (const auto& r : rows) EXPECT_EQ(wheel_top(r.button, r.top, r.count, 20, 142), r.expected) << r.button;
}

TEST(ListPaint, RowsFromTheTopUntilOneStartsAtTheBottom) {
    EXPECT_EQ(painted_rows(30, 5, 20, 60), (std::vector<int>{5, 6, 7, 8}));
    EXPECT_EQ(painted_rows(30, 5, 20, 61), (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(painted_rows(6, 5, 20, 60), (std::vector<int>{5}));
    EXPECT_TRUE(painted_rows(0, 0, 20, 60).empty());
}

TEST(ScrollBarLayout, SquareButtonsAtBothEndsAndTheTrackBetween) {
    const BarButtons v = bar_buttons(19, 150, true);
    EXPECT_EQ(v.up, CL_Rect(0, 0, 19, 19));
    EXPECT_EQ(v.down, CL_Rect(0, 131, 19, 150));
    EXPECT_EQ(bar_track(19, 150, true, v.up, v.down), CL_Rect(0, 19, 18, 131));
    const BarButtons h = bar_buttons(150, 19, false);
    EXPECT_EQ(h.up, CL_Rect(0, 0, 19, 19));
    EXPECT_EQ(h.down, CL_Rect(131, 0, 150, 19));
    EXPECT_EQ(bar_track(150, 19, false, h.up, h.down), CL_Rect(19, 0, 130, 19));
}

TEST(ScrollToCurrent, KeepsTheCurrentRowInView) {
    // 142 / 20 = 7 rows fit, so 6 rows lie below the top row.
    const struct { int height, row, count, current, top, expected; } rows[] = {
        {142, 20, 30, 0, 9, 0},   {142, 20, 30, -1, 9, 0}, {142, 20, 30, 3, 9, 3},  {142, 20, 30, 15, 9, 9},
        {142, 20, 30, 16, 9, 10}, {142, 20, 30, 29, 0, 23}, {142, 20, 0, 5, 4, 4},  // empty: unchanged
        {30, 20, 30, 5, 0, 4},    // less than two rows fit: one row below the top
        {142, 0, 30, 5, 0, 4},    // no row height
    };
    for (const auto& r : rows)
        EXPECT_EQ(scroll_top(r.height, r.row, r.count, r.current, r.top), r.expected)
            << r.current << " from top " << r.top;
}
