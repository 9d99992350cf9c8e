// The shipped art as the game meets it: every font and sprite of the resource
// files loads through ClanLib, and sample text and every sprite frame are
// drawn in a window under an X server and saved as PNG pictures to look at.
#include <gtest/gtest.h>

#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(KARVOLT_SOURCE_DIR) + "/data/";

class Art : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CL_SetupCore::init();
        CL_SetupDisplay::init();
        CL_SetupGL::init();
        window_ = new CL_DisplayWindow("karvolt art test", 800, 600);
    }
    static void TearDownTestSuite() {
        delete window_;
        window_ = nullptr;
        CL_SetupGL::deinit();
        CL_SetupDisplay::deinit();
        CL_SetupCore::deinit();
    }
    // The frame drawn so far, read back before the flip.
    static void save_frame(const std::string& file) {
        CL_ProviderFactory::save(CL_Display::get_back_buffer(), file);
        CL_Display::flip();
    }
    static CL_DisplayWindow* window_;
};
CL_DisplayWindow* Art::window_ = nullptr;

const char* const kGameFonts[] = {"my_fnt_1", "my_fnt_2", "my_fnt_3", "my_fnt_4",
                                  "my_fnt_1_sh", "my_fnt_2_sh", "my_fnt_3_sh", "my_fnt_4_sh"};
const char* const kLookFonts[] = {"Button/font", "Button/font_big", "Label/font", "CheckBox/font",
                                  "InputBox/font", "ListBox/font", "Window/font"};

}  // namespace

TEST_F(Art, EveryFontLoadsAndDrawsEveryLetter) {
    CL_ResourceManager resources(kData + "resources.xml");
    std::vector<std::string> ids(std::begin(kGameFonts), std::end(kGameFonts));
    ids.insert(ids.end(), std::begin(kLookFonts), std::end(kLookFonts));
    EXPECT_EQ(resources.get_resources_of_type("font").size(), ids.size());

    std::string printable;
    for (char c = 32; c < 127; ++c) printable += c;
    CL_Display::clear(CL_Color(40, 70, 40));
    int y = 4;
    for (const std::string& id : ids) {
        CL_Font font(id, &resources);
        // A letter without a glyph has no width: every printable letter must have one.
        for (char c = 33; c < 127; ++c) EXPECT_GT(font.get_width(std::string(1, c)), 0) << id << " '" << c << "'";
        EXPECT_GT(font.get_width("a a"), font.get_width("aa")) << id << ": no space";
        font.set_color(CL_Color(220, 230, 210));
        font.draw(4, y, id + ": " + printable.substr(0, 60));
        y += font.get_height() + 2;
    }
    save_frame("art_fonts.png");
}

// The two HUD rows must not run into each other at the positions the HUD uses.
TEST_F(Art, HudTextsFitTheirColumns) {
    CL_ResourceManager resources(kData + "resources.xml");
    CL_Font status("my_fnt_3_sh", &resources);
    CL_Font help("my_fnt_4_sh", &resources);
    const struct { CL_Font* font; const char* text; int room; } rows[] = {
        {&status, "Quarkels: 888/888", 120},        {&status, "Red disks: 888", 120},
        {&status, "Freeze Grobbles - Off", 130},    {&status, "Freeze Enemies - Off", 130},
        {&status, "Gravity - Off", 100},            {&status, "Moves: 88888", 100},
        {&help, "F1/F2 = +/- level  R - restart level", 210},
        {&help, "1/2 = +/- 1 FPS    3/4 = +/- 10 FPS", 210},
        {&help, "M - Music On/Off", 140},           {&help, "N/B - next/prev track", 140},
        {&status, "Speed: 1000", 90},
    };
    for (const auto& r : rows) EXPECT_LT(r.font->get_width(r.text), r.room) << r.text;

    // The band over a light, busy floor, where the shadow has to carry the text.
    for (int x = 0; x < 800; x += 16)
        for (int y = 520; y < 600; y += 16)
            CL_Display::fill_rect(CL_Rect(x, y, x + 16, y + 16),
                                  ((x + y) / 16) % 2 ? CL_Color(150, 170, 120) : CL_Color(90, 110, 70));
    status.set_color(CL_Color(220, 230, 210));
    help.set_color(CL_Color(100, 150, 100));
    status.draw(10, 560, "Quarkels: 3/12");
    status.draw(10, 580, "Red disks: 0");
    status.draw(130, 560, "Freeze Grobbles - Off");
    status.draw(130, 580, "Freeze Enemies - Off");
    status.draw(260, 560, "Gravity - On");
    status.draw(260, 580, "Moves: 57");
    help.draw(360, 560, "F1/F2 = +/- level  R - restart level");
    help.draw(360, 580, "1/2 = +/- 1 FPS    3/4 = +/- 10 FPS");
    help.draw(570, 560, "M - Music On/Off");
    help.draw(570, 580, "N/B - next/prev track");
    status.draw(710, 560, "Speed: 50");
    save_frame("art_hud.png");
    EXPECT_LE(status.get_height(), 20);
    EXPECT_GE(status.get_height(), 13);
}

TEST_F(Art, EveryObjectSpriteLoadsWithSquareFrames) {
    CL_ResourceManager resources(kData + "Graphics/objects_resourses.xml");
    const std::vector<std::string> names = resources.get_resources_of_type("sprite");
    EXPECT_EQ(names.size(), 54u);  // the 55 slots name one sheet twice
    CL_Display::clear(CL_Color(0, 0, 0));
    int row = 0;
    for (const std::string& name : names) {
        CL_Sprite sprite(name, &resources);
        ASSERT_GE(sprite.get_frame_count(), 1) << name;
        for (int f = 0; f < sprite.get_frame_count(); ++f)
            EXPECT_EQ(sprite.get_frame_size(f), CL_Size(32, 32)) << name << " frame " << f;
        // nine sprites a row, each with its first and last frame
        const int x = 4 + (row % 9) * 88, y = 4 + (row / 9) * 40;
        sprite.set_frame(0);
        sprite.draw(x, y);
        sprite.set_frame(sprite.get_frame_count() - 1);
        sprite.draw(x + 34, y);
        ++row;
    }
    save_frame("art_sprites.png");
}

TEST_F(Art, MenuBackgroundsFillTheWindow) {
    CL_ResourceManager resources(kData + "resources.xml");
    for (const char* name : {"menu_right_bottom", "menu_left_top", "menu_left_bottom", "menu_right_top"}) {
        CL_Sprite background(name, &resources);
        EXPECT_EQ(background.get_frame_count(), 1) << name;
        EXPECT_EQ(background.get_frame_size(0), CL_Size(800, 600)) << name;
    }
    // The main menu's background with a button's text over it, as the menu shows it.
    CL_Sprite main_menu("menu_right_bottom", &resources);
    main_menu.draw(0, 0);
    CL_Font button("Button/font", &resources);
    button.set_color(CL_Color(200, 200, 200));
    for (int i = 0; i < 6; ++i) button.draw(330, 220 + i * 50, "New game");
    save_frame("art_main_menu.png");
}
