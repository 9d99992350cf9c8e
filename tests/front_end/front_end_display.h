#pragma once
// One window, resource manager, style manager and GUI for the whole program:
// ClanLib's GL display doesn't set up twice in one process.
#include <gtest/gtest.h>

#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>
#include <ClanLib/gui.h>

#include <cstdlib>
#include <string>

#include "app/style/style_manager.h"

namespace front_end_display {

inline const char* const kTitle = "karvolt front end test";
class FrontEndDisplay : public ::testing::Environment {
public:
    void SetUp() override {
        CL_SetupCore::init();
        CL_SetupDisplay::init();
        CL_SetupGL::init();
        CL_SetupGUI::init();
        window = new CL_DisplayWindow(kTitle, 800, 600);
        resources = new CL_ResourceManager(std::string(KARVOLT_SOURCE_DIR) + "/data/resources.xml");
        style = new CL_StyleManager_QX(resources);
        gui = new CL_GUIManager(style);
        for (int i = 0; i < 5; ++i) CL_System::keep_alive(10);
        std::system((std::string("xdotool search --sync --name '") + kTitle + "' windowfocus >/dev/null 2>&1").c_str());
        font = new CL_Font("my_fnt_4", resources);
    }
    void TearDown() override {
        delete font;
        delete gui;
        delete style;
        delete resources;
        delete window;
        CL_SetupGUI::deinit();
        CL_SetupGL::deinit();
        CL_SetupDisplay::deinit();
        CL_SetupCore::deinit();
    }
    static CL_DisplayWindow* window;
    static CL_ResourceManager* resources;
    static CL_StyleManager_QX* style;
    static CL_GUIManager* gui;
    static CL_Font* font;
};
inline CL_DisplayWindow* FrontEndDisplay::window = nullptr;
inline CL_ResourceManager* FrontEndDisplay::resources = nullptr;
inline CL_StyleManager_QX* FrontEndDisplay::style = nullptr;
inline CL_GUIManager* FrontEndDisplay::gui = nullptr;
inline CL_Font* FrontEndDisplay::font = nullptr;

}  // namespace front_end_display
