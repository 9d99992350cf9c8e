// The rounded box shapes, as the pixels their drawing calls cover (lines include both ends).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/style/drawing.h"
#include "app/style/palette.h"

namespace {

std::vector<std::string> picture(const std::vector<QxShapePiece>& pieces, int width, int height) {
    std::set<std::pair<int, int>> on;
    for (const QxShapePiece& p : pieces) {
        if (p.kind == QxShapePiece::Rect) {
            for (int y = p.y1; y < p.y2; ++y)
                for (int x = p.x1; x < p.x2; ++x) on.insert({x, y});
            continue;
        }
        for (int y = std::min(p.y1, p.y2); y <= std::max(p.y1, p.y2); ++y)
            for (int x = std::min(p.x1, p.x2); x <= std::max(p.x1, p.x2); ++x) on.insert({x, y});
    }
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (const auto& xy : on) {
        EXPECT_TRUE(xy.first >= 0 && xy.first < width && xy.second >= 0 && xy.second < height)
            << "outside the rectangle: " << xy.first << "," << xy.second;
        if (xy.first >= 0 && xy.first < width && xy.second >= 0 && xy.second < height) rows[xy.second][xy.first] = '#';
    }
    return rows;
}

}  // namespace

TEST(RoundedShapes, OutlineCutsEachCornerInARoundedStep) {
    const std::vector<std::string> expected = {
        "......#####.....",
        "....###...###...",
        "...#........#...",
        "..#..........#..",
        ".#............#.",
        ".#............#.",
        "##............##",
        "#..............#",
        "##............##",
        ".#............#.",
        ".##..........##.",
        "...#........#...",
        "....###...###...",
        "......#####.....",
    };
    EXPECT_EQ(picture(rounded_outline_pieces(CL_Rect(0, 0, 16, 14)), 16, 14), expected);
}

TEST(RoundedShapes, FillCoversTheShapeAboveTheBottomEdge) {
    const std::vector<std::string> expected = {
        "......####......",
        "....########....",
        "...##########...",
        "..############..",
        ".##############.",
        ".##############.",
        "################",
        "################",
        ".##############.",
        ".##############.",
        "..############..",
        "...##########...",
        "....########....",
        "................",
    };
    EXPECT_EQ(picture(rounded_fill_pieces(CL_Rect(0, 0, 16, 14)), 16, 14), expected);
}

TEST(RoundedShapes, PiecesFollowTheRectangleAndSmallOnesOverlapUnguarded) {
    const auto at_origin = rounded_outline_pieces(CL_Rect(0, 0, 40, 30));
    const auto moved = rounded_outline_pieces(CL_Rect(100, 50, 140, 80));
    ASSERT_EQ(at_origin.size(), moved.size());
    for (std::size_t i = 0; i < moved.size(); ++i) {
        EXPECT_EQ(moved[i].x1, at_origin[i].x1 + 100);
        EXPECT_EQ(moved[i].y2, at_origin[i].y2 + 50);
    }
    // Narrower than 12 pixels: the same calls, the left and right pieces crossing over.
    const auto small = rounded_outline_pieces(CL_Rect(0, 0, 8, 8));
    EXPECT_EQ(small.size(), at_origin.size());
    EXPECT_GT(small[0].x1, small[0].x2);
    EXPECT_EQ(rounded_fill_pieces(CL_Rect(0, 0, 8, 8)).size(), rounded_fill_pieces(CL_Rect(0, 0, 40, 30)).size());
}

TEST(Palette, ColoursOfTheLook) {
    const struct { CL_Color colour; unsigned r, g, b, a; } rows[] = {
        {QxPalette::outline, 175, 205, 148, 255},       {QxPalette::outline_focused, 255, 255, 255, 255},
        {QxPalette::box_background, 0, 40, 0, 60},      {QxPalette::window_body, 100, 120, 100, 210},
        {QxPalette::title_tab, 93, 156, 39, 255},       {QxPalette::current_row, 93, 156, 39, 255},
        {QxPalette::list_text, 152, 211, 101, 255},     {QxPalette::list_text_marked, 211, 211, 101, 255},
        {QxPalette::text_active, 255, 255, 255, 255},   {QxPalette::button_rest, 200, 200, 200, 255},
        {QxPalette::frame, 108, 139, 138, 255},         {QxPalette::marked_text, 150, 180, 150, 127},
        {QxPalette::input_cursor, 245, 245, 245, 255},  {QxPalette::scroll_track, 42, 97, 29, 255},
        {QxPalette::scroll_slider, 60, 120, 48, 255},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.colour.get_red(), r.r);
        EXPECT_EQ(r.colour.get_green(), r.g);
        EXPECT_EQ(r.colour.get_blue(), r.b);
        EXPECT_EQ(r.colour.get_alpha(), r.a);
    }
    EXPECT_EQ(QxPalette::outline_for(true).color, QxPalette::outline_focused.color);
    EXPECT_EQ(QxPalette::outline_for(false).color, QxPalette::outline.color);
}
