// The camera that follows Pellik, and the cells the field drawing visits.
#include <gtest/gtest.h>

#include <vector>

#include "game/objects/pellik.h"
#include "game/play/game.h"
#include "support/field_from_text.h"

namespace {

struct CameraCase {
    const char* what;
    int32_t width, height;    // field area in pixels
    int32_t cols, rows;       // level size in cells
    int32_t px, py;           // Pellik's cell
    uint16_t state;           // 0: no player in the level
    uint8_t counter, direction;
    double fraction;
    KV_Game::Camera want;
};


KV_Game::Camera follow(const CameraCase& c, const KV_Game::Camera& stored = {}) {
    KV_Level level(c.cols, c.rows);
    level.set_has_player(c.state != 0);
    level.set_player_pos(c.px, c.py);
    KV_Logic::Pellik::View v{*level.get_player_cell()};
    v.set_state(KV_PellikState(c.state));
    v.set_counter(c.counter);
    v.set_direction(c.direction);
    return KV_Game::follow(stored, level, c.width, c.height, c.fraction);
}

constexpr uint16_t kReady = 1, kMoving = 2, kOverEating = 4, kPushing = 16, kLeaning = 32;

TEST(Camera, FollowsPellik) {
    const CameraCase cases[] = {
        {"classic level, Pellik in the middle", 800, 560, 60, 24, 30, 12, kReady, 0, 0, 0.0, {-96, -88, 15, 1, 46, 24}},
        {"near the left edge", 800, 560, 60, 24, 2, 12, kReady, 0, 0, 0.0, {0, -88, 0, 1, 31, 24}},
        {"near the right and bottom edges", 800, 560, 60, 24, 58, 23, kReady, 0, 0, 0.0, {-96, -80, 32, 4, 63, 27}},
        {"a narrow level is centred", 800, 560, 20, 24, 10, 12, kReady, 0, 0, 0.0, {80, -88, 0, 1, 20, 24}},
        {"a level that fits both ways", 800, 560, 20, 10, 3, 3, kReady, 0, 0, 0.0, {80, 120, 0, 0, 20, 10}},
        // The step left began at column 31: 10 pixels of 32 done, first column of a player resting on 30.
        {"moving left, counter 5, fraction 0.5", 800, 560, 60, 24, 30, 12, kMoving, 5, DIR_LEFT, 0.5, {-118, -88, 15, 1, 46, 24}},
        {"left step not begun yet", 800, 560, 60, 24, 30, 12, kMoving, 0, DIR_LEFT, 0.5, {-96, -88, 16, 1, 47, 24}},
        {"left step, fraction alone", 800, 560, 60, 24, 30, 12, kOverEating, 0, DIR_LEFT, 1.5, {-127, -88, 15, 1, 46, 24}},
        {"moving right", 800, 560, 60, 24, 31, 12, kMoving, 5, DIR_RIGHT, 0.5, {-106, -88, 15, 1, 46, 24}},
        {"pushing up", 800, 560, 60, 24, 30, 12, kPushing, 3, DIR_UP, 1.0, {-96, -113, 15, 1, 46, 24}},
        {"moving down", 800, 560, 60, 24, 30, 13, kMoving, 3, DIR_DOWN, 1.0, {-96, -95, 15, 1, 46, 24}},
        {"leaning does not move the camera", 800, 560, 60, 24, 30, 12, kLeaning, 7, 77, 0.0, {-96, -88, 15, 1, 46, 24}},
    };
    for (const CameraCase& c : cases) {
        const KV_Game::Camera got = follow(c);
        EXPECT_EQ(got.x_offset, c.want.x_offset) << c.what;
        EXPECT_EQ(got.y_offset, c.want.y_offset) << c.what;
        EXPECT_EQ(got.first_col, c.want.first_col) << c.what;
        EXPECT_EQ(got.first_row, c.want.first_row) << c.what;
        EXPECT_EQ(got.end_col, c.want.end_col) << c.what;
        EXPECT_EQ(got.end_row, c.want.end_row) << c.what;
    }
}

TEST(Camera, WithoutPlayerKeepsTheStoredCamera) {
    const KV_Game::Camera stored{5, 6, 7, 8, 9, 10};
    const KV_Game::Camera got = follow({"", 800, 560, 60, 24, 30, 12, 0, 0, 0, 0.0, {}}, stored);
    EXPECT_EQ(got.x_offset, 5);
    EXPECT_EQ(got.end_row, 10);
}

TEST(Camera, UnknownPellikDirectionIsFatal) {
    for (uint8_t dir : {0, 3, 16}) {
        EXPECT_EQ(fatal_message([&] { follow({"", 800, 560, 60, 24, 30, 12, kMoving, 1, dir, 0.0, {}}); }),
                  "KV_Game::draw, unknown pellik direction");
    }
}

TEST(Camera, VisibleRangeStaysInsideTheField) {
    KV_Level level(60, 24);
    const struct {
        KV_Game::Camera camera;
        KV_Game::ViewRange want;
    } cases[] = {
        {{-96, -88, 15, 1, 46, 24}, {15, 47, 1, 24}},
        {{0, 0, 0, 0, 0, 0}, {0, 1, 0, 1}},            // the zeroed camera: one cell
        {{-96, -96, -1, -1, 70, 30}, {0, 60, 0, 24}},  // a window taller than the level's scroll range
        {{0, 0, 80, 30, 90, 40}, {60, 60, 24, 24}},
    };
    for (const auto& c : cases) {
        const KV_Game::ViewRange r = KV_Game::visible_range(c.camera, level);
        EXPECT_EQ(r.col_begin, c.want.col_begin);
        EXPECT_EQ(r.col_end, c.want.col_end);
        EXPECT_EQ(r.row_begin, c.want.row_begin);
        EXPECT_EQ(r.row_end, c.want.row_end);
    }
}

struct Drawn {
    int layer, x, y;
    int32_t screen_x, screen_y;
    double fraction;
};
std::vector<Drawn> g_drawn;
void record(const KV_DrawContext& c) {
    g_drawn.push_back({c.layer, c.x, c.y, (c.x - c.first_col) * 32 + c.x_offset, (c.y - c.first_row) * 32 + c.y_offset,
                       c.fraction});
}

// Swaps in a recording entry for the types a test draws, and puts the old ones back.
class RecordingTable {
public:
    explicit RecordingTable(std::vector<KV_ObjectType> types) : types_(std::move(types)) {
        for (KV_ObjectType t : types_) {
            saved_.push_back(KV_Game::visualisation_table[type_code(t)]);
            KV_Game::visualisation_table[type_code(t)] = &record;
        }
        g_drawn.clear();
    }
    ~RecordingTable() {
        for (size_t i = 0; i < types_.size(); ++i) KV_Game::visualisation_table[type_code(types_[i])] = saved_[i];
    }

private:
    std::vector<KV_ObjectType> types_;
    std::vector<KV_DrawFn> saved_;
};

TEST(FieldDrawing, VisitsVisibleCellsLayerByLayerAndSkipsHidden) {
    TestField f = FieldFromText({"#####", "#.P #", "#####"});
    RecordingTable table({KV_ObjectType::Hardware, KV_ObjectType::Base, KV_ObjectType::Pellik});
    f.game.draw_view(800, 560, 0.75, 2.0);
    ASSERT_EQ(g_drawn.size(), 14u);  // all but the empty cell, which is hidden
    // The base (layer 1), then Pellik (layer 2), then the hardware (layer 3); rows, then columns.
    EXPECT_EQ(g_drawn[0].layer, 1);
    EXPECT_EQ(g_drawn[1].layer, 2);
    for (size_t i = 1; i < g_drawn.size(); ++i) {
        const Drawn &a = g_drawn[i - 1], &b = g_drawn[i];
        EXPECT_TRUE(a.layer < b.layer || (a.layer == b.layer && (a.y < b.y || (a.y == b.y && a.x < b.x))));
    }
    // A 5 x 3 level in an 800 x 560 field is centred: 320 and 232 pixels of margin.
    EXPECT_EQ(g_drawn[1].x, 2);
    EXPECT_EQ(g_drawn[1].screen_x, 320 + 64);
    EXPECT_EQ(g_drawn[1].screen_y, 232 + 32);
    EXPECT_EQ(g_drawn[1].fraction, 0.75);
}

TEST(FieldDrawing, PellikLandsInTheMiddleOfTheWindow) {
    std::vector<std::string> rows(24, std::string(60, ' '));
    rows[12][30] = 'P';
    TestField f = FieldFromText(rows);
    RecordingTable table({KV_ObjectType::Pellik});
    f.game.draw(0.0, 2.0);  // no display: the game's 800 x 600 window
    ASSERT_EQ(g_drawn.size(), 1u);
    EXPECT_EQ(g_drawn[0].screen_x, 384);
    EXPECT_EQ(g_drawn[0].screen_y, 264);
    EXPECT_EQ(f.game.camera().first_col, 15);
}

TEST(FieldDrawing, UnsetEntryReportsTheCell) {
    TestField f = FieldFromText({"###"});
    const KV_DrawFn saved = KV_Game::visualisation_table[type_code(KV_ObjectType::Hardware)];
    KV_Game::visualisation_table[type_code(KV_ObjectType::Hardware)] = &KV_Game::visualisation_not_setup;
    EXPECT_EQ(fatal_message([&] { f.game.draw_view(800, 560, 0.0, 2.0); }),
              "visualisation function not setuped for object: name = 1, pos = 0, 0");
    KV_Game::visualisation_table[type_code(KV_ObjectType::Hardware)] = saved;
}

}  // namespace
