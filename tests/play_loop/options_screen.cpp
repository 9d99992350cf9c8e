// The options screen run on its own over the game's resources and its
// layout, so a test can drive it with real keys. A player
// "Tess" at speed 50 is current; the screen runs until it asks for another,
// then the player's speed and the label's text are printed.
//   options_screen DATA_DIR LAYOUT
#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>
#include <ClanLib/gui.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/menus/menu_manager.h"
#include "app/menus/menu_options.h"
#include "app/players/player_table.h"
#include "app/style/focus.h"
#include "app/style/style_manager.h"

int main(int argc, char** argv) {
    if (argc < 3 || chdir(argv[1]) != 0) return 2;
    CL_SetupCore setup_core;
    CL_SetupGL setup_gl;
    CL_SetupDisplay setup_display;
    CL_SetupGUI setup_gui;
    try {
        CL_DisplayWindow window("Karvolt options", 800, 600, false, false, 2);
        CL_ResourceManager resources("resources.xml");
        CL_StyleManager_QX style(&resources);
        // The speed is written as soon as it changes: into a scratch folder, not the game's.
        char players[] = "/tmp/karvolt-options-XXXXXX";
        if (!mkdtemp(players)) return 2;
        g_player_table.set_folder(std::string(players) + "/");
        g_player_table.add("Tess");
        g_player_table.select("Tess");
        KV_MenuManager menus(&resources, &style);
        KV_Menu_Options options(&menus, &style, argv[2]);
        menus.get_current()->disable_input();
        // Built after the manager, it starts with input on: off and on again, as the manager switches.
        options.disable_input();
        options.enable_input();
        QxFocus::focus_next(&options);
        options.run();
        std::printf("speed=%d label=%s\n", g_player_table.current()->get_game_speed(),
                    options.get_speed_label() ? options.get_speed_label()->get_text().c_str() : "");
        std::fflush(stdout);
        unlink((std::string(players) + "/Tess.bts").c_str());
        rmdir(players);
    } catch (const CL_Error& e) {
        std::printf("error %s\n", e.message.c_str());
        return 1;
    }
    return 0;
}
