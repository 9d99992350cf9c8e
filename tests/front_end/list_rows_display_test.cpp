// A list that code fills as well as the player: its row handler hears every row
// the player steps to, and of a filling only the row the filling makes current, once.
#include <gtest/gtest.h>

#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gui.h>

#include <string>
#include <vector>

#include "app/menus/gui_parts.h"
#include "front_end/front_end_display.h"

namespace {

using front_end_display::FrontEndDisplay;

std::vector<CL_ListItem*> rows_of(int count) {
    std::vector<CL_ListItem*> rows;
    for (int i = 0; i < count; ++i) {
        rows.push_back(new CL_ListItem);
        rows.back()->str = "level " + std::to_string(i);
    }
    return rows;
}

}  // namespace

TEST(ListRows, AFillingNamesItsCurrentRowOnceAndThePlayersStepsGetThrough) {
    CL_ListBox list(CL_Rect(10, 10, 300, 200), FrontEndDisplay::gui);
    std::vector<int> heard;
    KV_ListRows rows;
    rows.connect(&list, [&](int row) { heard.push_back(row); });

    const struct {
        const char* what;
        int count, current;
        std::vector<int> heard;
        int current_after;
    } fills[] = {
        {"a row in the list", 5, 3, {3}, 3},
        {"the same rows again", 5, 3, {3}, 3},
        {"the first row", 4, 0, {0}, 0},
        {"no row of the list", 2, 2, {}, -1},
        {"no row at all", 3, -1, {}, -1},
        {"an empty list", 0, 0, {}, -1},
    };
    for (const auto& f : fills) {
        heard.clear();
        rows.fill(rows_of(f.count), f.current);
        EXPECT_EQ(list.get_count(), f.count) << f.what;
        EXPECT_EQ(heard, f.heard) << f.what;
        if (f.current_after >= 0) EXPECT_EQ(list.get_current_item(), f.current_after) << f.what;
    }

    rows.fill(rows_of(3), 1);
    heard.clear();
    kv_step_row(&list, +1);
    kv_step_row(&list, +1);  // the last row stays put
    kv_step_row(&list, -1);
    EXPECT_EQ(heard, (std::vector<int>{2, 1}));
}

TEST(ListRows, WithoutAListTheRowsAreLetGo) {
    KV_ListRows rows;
    int heard = 0;
    rows.connect(nullptr, [&](int) { ++heard; });
    rows.fill(rows_of(3), 1);  // the sanitizer build sees a leak if they were kept
    EXPECT_EQ(heard, 0);
}
