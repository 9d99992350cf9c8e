// The menu manager over the shipped screens: which screen is current and takes
// input after construction, and what a switch does, read from the debug log
// as well as from the manager.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/menus/menu_generic.h"
#include "app/menus/menu_manager.h"
#include "foundation/log.h"
#include "foundation/temp_dir.h"
#include "front_end/front_end_display.h"

using front_end_display::FrontEndDisplay;

namespace {

// The screens load their layouts relative to the game's working folder; the
// log goes to a scratch folder.
class MenuManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char buf[4096];
        ASSERT_TRUE(getcwd(buf, sizeof buf));
        old_cwd_ = buf;
        ASSERT_EQ(chdir(KARVOLT_SOURCE_DIR "/data"), 0);
        Qx::g_log.set_files(logs_.path() + "/", "menus");
        Qx::Log::enable();
    }
    void TearDown() override {
        Qx::Log::disable();
        Qx::g_log.set_files("", "karvolt");
        EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
    }
    std::string log_text() const {
        std::ifstream in(Qx::g_log.debug_path());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    test_support::TempDir logs_;
    std::string old_cwd_;
};

}  // namespace

TEST_F(MenuManagerTest, MainIsCurrentAndTheOnlyScreenTakingInput) {
    KV_MenuManager manager(FrontEndDisplay::resources, FrontEndDisplay::style);
    // The play screen has nothing to focus: the game takes the whole window.
    const struct {
        const char* name;
        bool focusable;
    } screens[] = {{"menu_main", true},  {"menu_credits", true}, {"menu_play", false},
                   {"menu_game", true},  {"menu_demos", true},   {"menu_options", true}};
    for (const auto& s : screens) {
        const auto menu = manager.get_menu(s.name);
        ASSERT_TRUE(menu) << s.name;
        EXPECT_EQ(menu->is_input_enabled(), menu == manager.get_current()) << s.name;
        if (!s.focusable) continue;
        // Each screen starts with its first component in tab order focused.
        ASSERT_TRUE(menu->get_focus()) << s.name;
        EXPECT_EQ(menu->get_focus()->get_tab_id(), 0) << s.name;
    }
    EXPECT_EQ(manager.get_current(), manager.get_menu("menu_main"));
    EXPECT_FALSE(manager.is_running());
    EXPECT_EQ(log_text(),
              "Creating menu Main\nCreating menu Credits\nCreating menu Play\nCreating menu Game\n"
              "Creating menu Demos\nCreating menu Options\nEnd of creating menus\n");
}

TEST_F(MenuManagerTest, SwitchMovesInputAndAnUnknownNameChangesNothing) {
    KV_MenuManager manager(FrontEndDisplay::resources, FrontEndDisplay::style);
    const auto main = manager.get_menu("menu_main");
    const auto credits = manager.get_menu("menu_credits");
    const struct {
        const char* name;
        KV_MenuGeneric* current;
        const char* line;
    } rows[] = {
        {"menu_settings", main.get(), "KV_MenuManager::switch to (\"menu_settings\") failed\n"},
        {"menu_credits", credits.get(), "KV_MenuManager::switch to (\"menu_credits\") success\n"},
        {"Menu_Main", credits.get(), "KV_MenuManager::switch to (\"Menu_Main\") failed\n"},
        {"menu_main", main.get(), "KV_MenuManager::switch to (\"menu_main\") success\n"},
    };
    for (const auto& r : rows) {
        const size_t before = log_text().size();
        manager.switch_to(r.name);
        EXPECT_EQ(manager.get_current().get(), r.current) << r.name;
        EXPECT_EQ(main->is_input_enabled(), r.current == main.get()) << r.name;
        EXPECT_EQ(credits->is_input_enabled(), r.current == credits.get()) << r.name;
        EXPECT_EQ(log_text().substr(before), r.line);
    }
}

// Ends the current screen's run, and the loop, from ClanLib's keep-alive pass of its first frame.
struct QuitInFirstFrame : CL_KeepAlive {
    explicit QuitInFirstFrame(KV_MenuManager& m) : manager(m) {}
    void keep_alive() override { manager.get_current()->quit(); }
    KV_MenuManager& manager;
};

TEST_F(MenuManagerTest, ChangeMenuEndsTheRunAndQuitEndsTheLoop) {
    KV_MenuManager manager(FrontEndDisplay::resources, FrontEndDisplay::style);
    const auto main = manager.get_menu("menu_main");
    main->change_menu("menu_credits");
    EXPECT_TRUE(main->is_leaving());
    EXPECT_EQ(manager.get_current(), manager.get_menu("menu_credits"));

    // The credits run (its leave flag cleared on entry) and quit: Run returns
    // after that one pass without running another screen.
    const size_t before = log_text().size();
    QuitInFirstFrame quit(manager);
    manager.Run();
    EXPECT_FALSE(manager.is_running());
    EXPECT_EQ(manager.get_current(), manager.get_menu("menu_credits"));
    EXPECT_EQ(log_text().substr(before), "{KV_MenuManager::Run} Real menu run\n");
}
