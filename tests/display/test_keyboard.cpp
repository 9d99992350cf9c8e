// The key mask from the real keyboard: a window on the X server, keys pressed
// and released through the X test extension (xdotool), as a player's would be.
#include <gtest/gtest.h>

#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "game/objects/interfaces.h"
#include "game/play/key_mask.h"
#include "game/play/session.h"
#include "support/field_from_text.h"

namespace {

const char* const kTitle = "karvolt keyboard test";

class Keyboard : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CL_SetupCore::init();
        CL_SetupDisplay::init();
        CL_SetupGL::init();
        window_ = new CL_DisplayWindow(kTitle, 320, 240);
        pump();
        std::system((std::string("xdotool search --sync --name '") + kTitle + "' windowactivate --sync windowfocus --sync >/dev/null 2>&1").c_str());
        pump();
    }
    static void TearDownTestSuite() {
        delete window_;
        window_ = nullptr;
        CL_SetupGL::deinit();
        CL_SetupDisplay::deinit();
        CL_SetupCore::deinit();
    }
    void TearDown() override { xdotool("keyup Left Up Right Down space"); }

    // The X events reach ClanLib's key state in its keep-alive pass.
    static void pump() {
        for (int i = 0; i < 5; ++i) CL_System::keep_alive(10);
    }
    static void xdotool(const std::string& args) {
        ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
        pump();
    }
    static int mask() {
        int word = -1;
        KV_KeyMask::read_keyboard(word);
        return word;
    }

    static CL_DisplayWindow* window_;
};
CL_DisplayWindow* Keyboard::window_ = nullptr;

// A host that plays from the real keyboard and draws nothing.
class KeyboardHost : public KV_PlayHost {
public:
    int32_t read_keys() override {
        int word = 0;
        KV_KeyMask::read_keyboard(word);
        return word;
    }
    void keep_alive() override { CL_System::keep_alive(); }
};

}  // namespace

TEST_F(Keyboard, HeldKeysMakeTheMask) {
    const struct { const char* keys; int mask; } rows[] = {
        {"Left", KV_KeyMask::LEFT},   {"Up", KV_KeyMask::UP},          {"Right", KV_KeyMask::RIGHT},
        {"Down", KV_KeyMask::DOWN},   {"space", KV_KeyMask::FIRE},     {"Left space", 1 | 16},
        {"Up Right", 2 | 4},          {"Left Up Right Down space", 31},
    };
    EXPECT_EQ(mask(), 0);
    for (const auto& r : rows) {
        xdotool(std::string("keydown ") + r.keys);
        EXPECT_EQ(mask(), r.mask) << r.keys;
        xdotool(std::string("keyup ") + r.keys);
        EXPECT_EQ(mask(), 0) << "after releasing " << r.keys;
    }
    // Keys that are not the game's own leave the mask alone.
    xdotool("keydown a Return");
    EXPECT_EQ(mask(), 0);
    xdotool("keyup a Return");
}

// A game session played from the keyboard: holding Right walks Pellik right
// and every tick records the mask it read.
TEST_F(Keyboard, ASessionPlaysFromTheKeyboard) {
    TestField field = FieldFromText({"#########",
                                     "#P      #",
                                     "#########"});
    KV_GameSession session(field.level);
    session.set_game_speed(1000);
    KeyboardHost host;
    xdotool("keydown Right");
    for (int frame = 0; frame < 4000 && session.get_key_stream().entries().empty(); ++frame) session.run_frame(host);
    const KV_KeyStream::Entry first = session.get_key_stream().entries().at(0);
    EXPECT_EQ(first.key, KV_KeyMask::RIGHT);
    for (int frame = 0; frame < 20000 && field.level->get_player_x() < 3; ++frame) session.run_frame(host);
    xdotool("keyup Right");
    EXPECT_GE(field.level->get_player_x(), 3);
    for (const KV_KeyStream::Entry& e : session.get_key_stream().entries()) EXPECT_EQ(e.key, KV_KeyMask::RIGHT);
}
