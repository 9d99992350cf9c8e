#pragma once
// One window, resource manager and style manager for a whole test program of the
// program's look: ClanLib's GL display doesn't set up twice in one process.
#include <gtest/gtest.h>

#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>
#include <ClanLib/gui.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "app/style/style_manager.h"

namespace gui_display {

// X events reach ClanLib in its keep-alive passes.
inline void pump(int rounds = 5) {
    for (int i = 0; i < rounds; ++i) CL_System::keep_alive(10);
}

// The X id of the first window with this title, once it shows ("" if none does).
inline std::string window_id(const std::string& title) {
    FILE* p = popen(("xdotool search --sync --name '" + title + "' | head -1").c_str(), "r");
    char id[64] = {0};
    if (p) {
        if (!fgets(id, sizeof id, p)) id[0] = 0;
        pclose(p);
    }
    const std::string s(id);
    return s.substr(0, s.find('\n'));
}

class GuiDisplay : public ::testing::Environment {
public:
    GuiDisplay(std::string title, int width, int height) : title_(std::move(title)), width_(width), height_(height) {}

    void SetUp() override {
        CL_SetupCore::init();
        CL_SetupDisplay::init();
        CL_SetupGL::init();
        CL_SetupGUI::init();
        window = new CL_DisplayWindow(title_, width_, height_);
        resources = new CL_ResourceManager(std::string(KARVOLT_SOURCE_DIR) + "/data/resources.xml");
        style = new CL_StyleManager_QX(resources);
        pump();
        window_id = gui_display::window_id(title_);
        // Activating needs a window manager (none runs under a bare X server); the focus doesn't.
        std::system(("xdotool windowactivate --sync " + window_id + " >/dev/null 2>&1").c_str());
        std::system(("xdotool windowfocus " + window_id + " >/dev/null 2>&1").c_str());
    }
    void TearDown() override {
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
    static std::string window_id;

private:
    std::string title_;
    int width_;
    int height_;
};
inline CL_DisplayWindow* GuiDisplay::window = nullptr;
inline CL_ResourceManager* GuiDisplay::resources = nullptr;
inline CL_StyleManager_QX* GuiDisplay::style = nullptr;
inline std::string GuiDisplay::window_id;

}  // namespace gui_display
