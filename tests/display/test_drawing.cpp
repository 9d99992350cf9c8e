// The game's drawing in a real window: every sprite slot of the shipped
// resource file, the frames each draw function reaches, the clip stack around
// the draw functions, and the picture that karvolt-trace --shot writes.
#include <gtest/gtest.h>

#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "game/draw/game_window.h"
#include "game/play/game.h"
#include "game/draw/sprite_manager.h"
#include "game/draw/sprite_slots.h"
#include "game/draw/visualisation.h"
#include "game/level/level_base.h"
#include "game/level/levelset_registry.h"
#include "game/objects/cell.h"
#include "game/objects/small_objects.h"
#include "game/play/game.h"
#include "support/field_from_text.h"

namespace {

const std::string kData = std::string(KARVOLT_SOURCE_DIR) + "/data";

// ClanLib's GL windows share one context with the first window: once the
// first is gone no other can be made in the process. The game window is
// therefore made once and kept to the end, with ClanLib held up around it.
// (CTest runs every test in a process of its own.)
class GameWindowForTheProcess : public ::testing::Environment {
public:
    void SetUp() override {
        CL_SetupCore::init();
        CL_SetupDisplay::init();
        CL_SetupGL::init();
    }
    void TearDown() override {
        delete window;
        window = nullptr;
        CL_SetupGL::deinit();
        CL_SetupDisplay::deinit();
        CL_SetupCore::deinit();
    }
    static KV_GameWindow* window;
};
KV_GameWindow* GameWindowForTheProcess::window = nullptr;
const auto* const g_clanlib = ::testing::AddGlobalTestEnvironment(new GameWindowForTheProcess);

// One game window for the whole suite, opened in the game's data folder.
class Drawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char here[4096];
        build_dir_ = getcwd(here, sizeof here) ? here : ".";
        ASSERT_EQ(chdir(kData.c_str()), 0);
        install_rules();
        if (!GameWindowForTheProcess::window)
            GameWindowForTheProcess::window = new KV_GameWindow("karvolt drawing test");
    }
    static void TearDownTestSuite() { EXPECT_EQ(chdir(build_dir_.c_str()), 0); }

    static std::string build_dir_;
};
std::string Drawing::build_dir_;

TEST_F(Drawing, SpriteManagerLoadsEverySlotOfTheShippedFile) {
    for (int i = 0; i < KV_FILLED_SLOTS; ++i) EXPECT_NE(KV_SpriteManager::get_sprite(i), nullptr) << i;
    for (int i : {-1, 55, 255, 256, 100000}) EXPECT_EQ(KV_SpriteManager::get_sprite(i), nullptr) << i;
    EXPECT_NE(KV_SpriteManager::get_sprite(SLOT_DISK_RED), KV_SpriteManager::get_sprite(SLOT_DISK_RED_SPARE));
    // Loading once: a second init keeps the same sprites.
    CL_Sprite* first = KV_SpriteManager::get_sprite(0);
    KV_SpriteManager::init();
    EXPECT_EQ(KV_SpriteManager::get_sprite(0), first);
}

// set_frame caps at the last frame, so a sprite with too few frames would
// silently stand still: each has at least the frames its drawing reaches.
TEST_F(Drawing, SpritesHaveTheFramesTheirDrawingReaches) {
    using namespace KV_Logic;
    const struct {
        int slot, frames;
    } needs[] = {
        {SLOT_PELLIK_MOVING_LEFT, 16},     {SLOT_PELLIK_MOVING_LEFT + 3, 16}, {SLOT_PELLIK_EATING_LEFT, 8},
        {SLOT_PELLIK_EATING_LEFT + 3, 8},  {SLOT_GNARROW, 7},                 {SLOT_GNARROW + 3, 7},
        {SLOT_GNARROW + 4, 2},             {SLOT_GNARROW + 7, 2},             {SLOT_ELECTRON, 4},
        {SLOT_ELECTRON + 3, 4},            {SLOT_ELECTRON + 4, 2},            {SLOT_ELECTRON + 7, 2},
        {SLOT_TERMINAL, int(Terminal::kAnimationLength / 16)},
        {SLOT_HARDWARE, 11},               {SLOT_RAM, 5},                     {SLOT_DISK_RED, 16},
        {SLOT_GROBBLE, 16},                {SLOT_BASE_CHARGING, (Bug::kSparkTicks - 1) / 6 + 1},
        {SLOT_BASE_EATING, int(Base::kEatTicks)},                              {SLOT_EXIT, 2},
        {SLOT_EXPLOSION, int(Explosion::kBurnTicks / 4)},                      {SLOT_EXPLODING_QUARKEL, int(Explosion::kBurnTicks / 4)},
        {SLOT_QUARKEL, 16},                {SLOT_QUARKEL_EATING, 16},
    };
    for (const auto& n : needs) {
        CL_Sprite* s = KV_SpriteManager::get_sprite(n.slot);
        ASSERT_NE(s, nullptr) << n.slot;
        EXPECT_GE(s->get_frame_count(), n.frames) << kv_sprite_resources[size_t(n.slot)];
    }
}

TEST_F(Drawing, ResourceFileWithoutASpriteFails) {
    // A file with only the first slot's sprite: the second slot is missing.
    const std::string dir = build_dir_ + "/one_sprite";
    ASSERT_EQ(std::system(("mkdir -p " + dir + "/Objects").c_str()), 0);
    CL_PixelBuffer pixels(32, 32, 32 * 4, CL_PixelFormat::rgba8888);
    CL_ProviderFactory::save(pixels, dir + "/Objects/one.png");
    FILE* f = std::fopen((dir + "/objects.xml").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("<resources><section name=\"Graphics\"><section name=\"Objects\">"
               "<sprite name=\"pellik_moving_left\"><image file=\"Objects/one.png\"/></sprite>"
               "</section></section></resources>\n", f);
    std::fclose(f);
    std::string message;
    try {
        KV_SpriteManager m(dir + "/objects.xml");
    } catch (const CL_Error& e) {
        message = e.message;
    }
    EXPECT_EQ(message, "Resource 'Graphics/Objects/pellik_moving_right' not found");
}

TEST_F(Drawing, DrawFunctionsLeaveTheClipStackAsTheyFoundIt) {
    CL_Display::push_cliprect(CL_Rect(0, 0, 800, 560));
    const CL_Rect before = CL_Display::get_cliprect();
    KV_Cell base(type_code(KV_ObjectType::Base), 0);
    base.set_state(4);  // walked over
    KV_DrawContext ctx{5, 4, 0, 0, 30, 20, 0, 0, &base, 1, 0.5, 2.0};
    base.set_w1(8);     // from above: drawn through a clip
    KV_Visualisation::Base::draw(ctx);
    EXPECT_EQ(CL_Display::get_cliprect(), before);
    base.set_w1(3);     // no such eat direction
    EXPECT_THROW(KV_Visualisation::Base::draw(ctx), CL_Error);
    EXPECT_EQ(CL_Display::get_cliprect(), before);
    CL_Display::pop_cliprect();
}

// The distance between two colours, channel by channel.
int distance(const CL_Color& a, const CL_Color& b) {
    return std::abs(int(a.get_red()) - int(b.get_red())) + std::abs(int(a.get_green()) - int(b.get_green())) +
           std::abs(int(a.get_blue()) - int(b.get_blue()));
}

// How many pixels of the rectangle are within `tolerance` of the colour.
int count_near(CL_PixelBuffer& shot, int x1, int y1, int x2, int y2, const CL_Color& c, int tolerance) {
    int n = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) n += distance(shot.get_pixel(x, y), c) <= tolerance;
    return n;
}

// Does the 32 x 32 square at (x, y) show frame `frame` of the sprite's sheet
// over black (its transparent pixels let the black through)?
bool shows_frame(CL_PixelBuffer& shot, int x, int y, CL_PixelBuffer& sheet, int frame) {
    for (int dy = 0; dy < 32; ++dy)
        for (int dx = 0; dx < 32; ++dx) {
            const CL_Color s = sheet.get_pixel(frame * 32 + dx, dy);
            const CL_Color want(s.get_red() * s.get_alpha() / 255, s.get_green() * s.get_alpha() / 255,
                                s.get_blue() * s.get_alpha() / 255);
            if (distance(shot.get_pixel(x + dx, y + dy), want) > 12) return false;
        }
    return true;
}

TEST_F(Drawing, ShotOfAShippedLevel) {
    // Classic level 7 after a walk of 17 cells right: Pellik rests in the
    // middle of the window, hardware fills the rows above him.
    const std::string png = build_dir_ + "/shot_karvolt_06.png";
    std::remove(png.c_str());
    const std::string command = std::string(KARVOLT_TRACE) + " Levels/karvolt.dat 6 1 4x272,0 300 --shot " + png +
                                " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    CL_PixelBuffer shot = CL_ProviderFactory::load(png);
    ASSERT_EQ(shot.get_width(), 800);
    ASSERT_EQ(shot.get_height(), 600);
    shot.lock();
    CL_PixelBuffer pellik = CL_ProviderFactory::load("Graphics/Objects/pellik.png");
    CL_PixelBuffer hardware = CL_ProviderFactory::load("Graphics/Objects/hardware.png");
    pellik.lock();
    hardware.lock();
    EXPECT_TRUE(shows_frame(shot, 384, 264, pellik, 0)) << "Pellik at the centre";
    // The camera puts cell (19 - 15, 11 - 1 - 6) = a wall cell at (4 x 32 - 96, 4 x 32 - 88).
    bool wall = false;
    for (int frame = 0; frame < 11 && !wall; ++frame) wall = shows_frame(shot, 32, 40, hardware, frame);
    EXPECT_TRUE(wall) << "a hardware tile at (32, 40)";
    // The HUD band: status text on the left, help text in the middle, and no
    // field: black right of the speed, where the field shows a wall above it.
    EXPECT_GT(count_near(shot, 10, 560, 120, 580, CL_Color(220, 230, 210), 30), 10) << "status text";
    EXPECT_GT(count_near(shot, 360, 580, 560, 600, CL_Color(100, 150, 100), 30), 10) << "help text";
    EXPECT_EQ(count_near(shot, 785, 560, 800, 600, CL_Color(0, 0, 0), 0), 15 * 40) << "black band";
    EXPECT_EQ(count_near(shot, 785, 528, 800, 560, CL_Color(0, 0, 0), 0), 0) << "a wall above the band";
    hardware.unlock();
    pellik.unlock();
    shot.unlock();
}

}  // namespace

namespace {

std::vector<uint8_t> back_buffer() {
    CL_PixelBuffer frame = CL_Display::get_back_buffer();
    frame.lock();
    const uint8_t* data = static_cast<const uint8_t*>(frame.get_data());
    std::vector<uint8_t> bytes(data, data + size_t(frame.get_pitch()) * size_t(frame.get_height()));
    frame.unlock();
    return bytes;
}

std::vector<uint8_t> field_picture(KV_Game& game, double fraction, bool grouped) {
    CL_Display::clear(CL_Color(0, 0, 0, 255));
    if (grouped) {
        KV_SpriteBatch batch;
        game.draw(fraction, 2.0);
        batch.flush();
    } else {
        game.draw(fraction, 2.0);
    }
    return back_buffer();
}

TEST_F(Drawing, GroupedSpritesDrawTheSamePictureAsCellByCell) {
    // Keys held for some ticks, then others.
    const struct {
        int level, keys, ticks, keys2, ticks2;
        double fraction;
    } runs[] = {
        {2, 8, 203, 0, 0, 1.5},      // grobbles falling and rolling off
        {3, 4, 1208, 0, 0, 0.5},     // pushing
        {6, 4, 272, 16, 135, 1.0},   // Pellik on the red disk he has laid: the two layers overlap
        {6, 4, 272, 16, 200, 0.5},   // its blast
        {11, 4, 301, 0, 0, 0.25},    // enemies turning and moving
    };
    const auto set = open_levelset("Levels/karvolt.dat");
    ASSERT_TRUE(set);
    for (const auto& r : runs) {
        KV_Game game;
        game.set_level(set->GetLevel(r.level)->ToGenericLevel());
        for (int t = 0; t < r.ticks + r.ticks2; ++t) {
            *game.get_level()->get_input() = t < r.ticks ? r.keys : r.keys2;
            game.process();
        }
        EXPECT_TRUE(field_picture(game, r.fraction, false) == field_picture(game, r.fraction, true))
            << "level " << r.level << " after " << r.ticks + r.ticks2 << " ticks";
    }
    // Every kind of object next to every other, under way.
    std::vector<std::string> rows(24, std::string(60, '.'));
    const std::string kinds = "#.OqRETyroB-|+<>^vGe  ";
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 60; ++x) rows[size_t(y)][size_t(x)] = kinds[size_t((x * 7 + y * 3) % kinds.size())];
    rows[12][30] = 'P';
    TestField f = FieldFromText(rows);
    for (int t = 0; t < 37; ++t) f.tick(t % 3 ? 4 : 8);
    EXPECT_TRUE(field_picture(f.game, 1.25, false) == field_picture(f.game, 1.25, true));
}

}  // namespace

namespace {

// One cell's drawing for the gallery: the object's cell as the game holds it.
struct GalleryCell {
    KV_ObjectType type;
    uint16_t state;
    std::vector<std::pair<int, uint8_t>> bytes;  // further state bytes
    double fraction;
};

// Every object in its states, mid-motion, each in a 64-pixel box with the
// cell it steps from or to beside it: a picture to look at (kept in the
// build folder), and every draw entry run through the sprite layer.
TEST_F(Drawing, GalleryOfObjectStates) {
    using T = KV_ObjectType;
    const std::vector<std::vector<GalleryCell>> rows = {
        // Pellik: ready poses, moving l/u/r/d at counter 5, eating in place, pushing, leaning, red disk pose.
        {{T::Pellik, 1, {}, 0}, {T::Pellik, 1, {{3, 3}}, 0}, {T::Pellik, 2, {{2, 5}, {4, 1}}, 1},
         {T::Pellik, 2, {{2, 5}, {4, 2}}, 1}, {T::Pellik, 2, {{2, 5}, {4, 4}}, 1}, {T::Pellik, 2, {{2, 5}, {4, 8}}, 1},
         {T::Pellik, 8, {{2, 9}, {4, 4}}, 0}, {T::Pellik, 16, {{2, 8}, {4, 4}}, 0}, {T::Pellik, 32, {{4, 2}}, 0},
         {T::Pellik, 1, {{6, 70}}, 0}, {T::Pellik_Static, 0, {}, 0}},
        // Enemies: moving left at counter 8, turning (both halves), at rest.
        {{T::Gnarrow, 2, {{2, 8}, {4, 1}}, 0}, {T::Gnarrow, 4, {{2, 2}, {5, 1}}, 0}, {T::Gnarrow, 4, {{2, 6}, {5, 1}}, 0},
         {T::Gnarrow, 4, {{2, 2}, {5, 2}}, 0}, {T::Gnarrow, 8, {{4, 8}}, 0}, {T::Electron, 2, {{2, 8}, {4, 2}}, 0},
         {T::Electron, 4, {{2, 2}, {5, 16}}, 0}, {T::Electron, 4, {{2, 6}, {5, 16}}, 0}, {T::Electron, 1, {}, 0}},
        // Grobble falling, sliding left/right, pushed left/right; Quarkel falling, sliding, eaten.
        {{T::Grobble, 2, {{4, 8}}, 0}, {T::Grobble, 32, {{4, 6}, {6, 2}}, 0}, {T::Grobble, 64, {{4, 6}, {6, 2}}, 0},
         {T::Grobble, 4, {{2, 2}, {4, 4}}, 0}, {T::Grobble, 4, {{2, 4}, {4, 4}}, 0}, {T::Quarkel, 2, {{4, 8}}, 0},
         {T::Quarkel, 8, {{4, 6}, {6, 2}}, 0}, {T::Quarkel, 32, {{4, 8}}, 0}, {T::Grobble_Clone, 1, {{4, 8}}, 0}},
        // Disks: orange falling and pushed, its clone growing; yellow pushed up; red eaten and laid.
        {{T::Disk_Orange, 1, {}, 0}, {T::Disk_Orange, 2, {{4, 8}}, 0}, {T::Disk_Orange, 4, {{2, 4}, {4, 8}}, 0},
         {T::Disk_Orange_Clone, 1, {{4, 12}}, 0}, {T::Disk_Yellow, 1, {}, 0}, {T::Disk_Yellow, 2, {{2, 8}, {4, 8}}, 0},
         {T::Disk_Red, 1, {}, 0}, {T::Disk_Red, 2, {{4, 8}}, 0}, {T::Disk_Red, 8, {}, 0}},
        // Base: lying, eaten, walked over from the left and from above; bug sparking; terminal; exit; explosions.
        {{T::Base, 1, {}, 0}, {T::Base, 2, {{4, 8}}, 0}, {T::Base, 4, {{2, 2}, {4, 8}}, 0}, {T::Base, 4, {{2, 8}, {4, 8}}, 0},
         {T::Bug, 8, {{4, 40}}, 0}, {T::Terminal, 128, {}, 0}, {T::Exit, 1, {}, 0}, {T::Exit, 2, {}, 0},
         {T::Explosion, 1, {{4, 24}}, 0}, {T::Explosion, 4, {{4, 24}}, 0}},
        // Hardware and RAM variants, the seven ports.
        {{T::Hardware, 0, {}, 0}, {T::Hardware, 5, {}, 0}, {T::Hardware, 10, {}, 0}, {T::RAM, 0, {}, 0}, {T::RAM, 4, {}, 0},
         {T::Port_U_To_D, 0, {}, 0}, {T::Port_D_To_U, 0, {}, 0}, {T::Port_L_To_R, 0, {}, 0}, {T::Port_R_To_L, 0, {}, 0},
         {T::Port_Horizontal, 0, {}, 0}, {T::Port_Vertical, 0, {}, 0}, {T::Port_Cross, 0, {}, 0}},
    };
    CL_Display::clear(CL_Color(40, 40, 60, 255));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const GalleryCell& g = rows[r][c];
            KV_Cell cell(type_code(g.type), 0);
            if (g.type == T::Hardware || g.type == T::RAM || g.type == T::Exit || g.type == T::Terminal)
                cell.set_u32(0, g.state);  // variant, state or animation
            else
                cell.set_state(g.state);
            for (const auto& b : g.bytes) cell.set_u8(b.first, b.second);
            if (g.type == T::Explosion) cell.set_u32(0, g.state);
            // Cell (2c + 1, 2r + 1) of a view at (0, 0): boxes 64 pixels apart.
            const int32_t x = int32_t(2 * c + 1), y = int32_t(2 * r + 1);
            CL_Display::fill_rect(CL_Rect(x * 32, y * 32, x * 32 + 32, y * 32 + 32), CL_Color(0, 0, 0, 255));
            KV_DrawContext ctx{x, y, 0, 0, 25, 19, 0, 0, &cell, 1, g.fraction, 2.0};
            KV_Game::visualisation_entry(cell.type_index())(ctx);
        }
    const std::string png = build_dir_ + "/gallery.png";
    CL_ProviderFactory::save(CL_Display::get_back_buffer(), png);
    EXPECT_EQ(access(png.c_str(), R_OK), 0);
}

}  // namespace
