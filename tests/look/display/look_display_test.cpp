// The program's look as a player meets it: a GUI with one component of every styled
// type, built from a layout on the style manager in a window under an X server, painted,
// read back pixel by pixel, driven with real key and mouse events, and saved as PNG.
#include <gtest/gtest.h>

#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>
#include <ClanLib/gui.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/style/button_style.h"
#include "app/style/focus.h"
#include "app/style/list_items.h"
#include "app/style/listbox_style.h"
#include "app/style/palette.h"
#include "app/style/small_styles.h"
#include "app/style/style_manager.h"

namespace {

const char* const kTitle = "karvolt look test";
const std::string kSource = KARVOLT_SOURCE_DIR;

bool same(const CL_Color& a, const CL_Color& b) {
    return a.get_red() == b.get_red() && a.get_green() == b.get_green() && a.get_blue() == b.get_blue();
}

std::string rgb(const CL_Color& c) {
    return std::to_string(c.get_red()) + "," + std::to_string(c.get_green()) + "," + std::to_string(c.get_blue());
}

class Look : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CL_SetupCore::init();
        CL_SetupDisplay::init();
        CL_SetupGL::init();
        CL_SetupGUI::init();
        window_ = new CL_DisplayWindow(kTitle, 640, 480);
        resources_ = new CL_ResourceManager(kSource + "/data/resources.xml");
        style_ = new CL_StyleManager_QX(resources_);
        pump();
        FILE* p = popen((std::string("xdotool search --sync --name '") + kTitle + "' | head -1").c_str(), "r");
        char id[64] = {0};
        if (p) {
            if (!fgets(id, sizeof id, p)) id[0] = 0;
            pclose(p);
        }
        window_id_ = std::string(id).substr(0, std::string(id).find('\n'));
        std::system(("xdotool windowactivate --sync " + window_id_ + " windowfocus --sync " + window_id_ +
                     " >/dev/null 2>&1").c_str());
        pump();
    }
    static void TearDownTestSuite() {
        delete style_;
        delete resources_;
        delete window_;
        CL_SetupGUI::deinit();
        CL_SetupGL::deinit();
        CL_SetupDisplay::deinit();
        CL_SetupCore::deinit();
    }

    void SetUp() override {
        gui_ = new CL_GUIManager(style_);
        layout_ = new CL_ComponentManager(kSource + "/tests/look/data/every_component.xml", gui_, style_);
        levels_ = get<CL_ListBox>("levels");
        for (int i = 0; i < 30; ++i)
            levels_->insert_item(new CL_ListLevelStatItem(i, "Level title " + std::to_string(i + 1), i % 3 == 0 ? 2 : 0),
                                 -1, true);
        levels_->set_current_item(1);
        files_ = get<CL_ListBox>("files");
        const char* names[] = {"classic.dat", "extra.d01", "hexmoor.hxm"};
        for (const char* n : names) files_->insert_item(new CL_ListFileItem(n, 0), -1, true);
        files_->insert_item(new CL_ListFileItem("Players", 1), -1, true);
        files_->set_current_item(0);
        plain_ = get<CL_ListBox>("plain");
        plain_->insert_item("one");
        plain_->insert_item("two");
    }
    void TearDown() override {
        if (shot_locked_) shot_.unlock();
        shot_locked_ = false;
        delete layout_;
        delete gui_;
    }

    template <class T>
    T* get(const std::string& name) {
        return dynamic_cast<T*>(layout_->get_component(name));
    }

    static void pump(int rounds = 5) {
        for (int i = 0; i < rounds; ++i) CL_System::keep_alive(10);
    }
    void xdotool(const std::string& args) {
        ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
        pump();
    }
    // Mouse at a point of the window, in window pixels.
    void mouse_to(int x, int y) {
        xdotool("mousemove --window " + window_id_ + " " + std::to_string(x) + " " + std::to_string(y));
    }

    // Paints the GUI over black and reads the frame back; saves it when a file is named.
    void paint(const std::string& png = "") {
        if (shot_locked_) shot_.unlock();
        CL_Display::clear(CL_Color(0, 0, 0));
        gui_->show();
        shot_ = CL_Display::get_back_buffer();
        if (!png.empty()) CL_ProviderFactory::save(shot_, png);
        shot_.lock();
        shot_locked_ = true;
        CL_Display::flip();
    }
    CL_Color at(int x, int y) { return shot_.get_pixel(x, y); }
    // Whether any pixel of the rectangle has exactly this colour.
    bool has_colour(const CL_Rect& r, const CL_Color& c) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (same(at(x, y), c)) return true;
        return false;
    }

    static CL_DisplayWindow* window_;
    static CL_ResourceManager* resources_;
    static CL_StyleManager_QX* style_;
    static std::string window_id_;
    CL_GUIManager* gui_ = nullptr;
    CL_ComponentManager* layout_ = nullptr;
    CL_ListBox* levels_ = nullptr;
    CL_ListBox* files_ = nullptr;
    CL_ListBox* plain_ = nullptr;
    CL_PixelBuffer shot_;
    bool shot_locked_ = false;
};
CL_DisplayWindow* Look::window_ = nullptr;
CL_ResourceManager* Look::resources_ = nullptr;
CL_StyleManager_QX* Look::style_ = nullptr;
std::string Look::window_id_;

}  // namespace

TEST_F(Look, EveryComponentGetsItsOwnStyle) {
    const struct { const char* name; bool (*styled)(CL_ComponentStyle*); } rows[] = {
        {"btn_play", [](CL_ComponentStyle* s) { return dynamic_cast<CL_Button_QX*>(s) != nullptr; }},
        {"levels", [](CL_ComponentStyle* s) { return dynamic_cast<CL_ListBox_QX*>(s) != nullptr; }},
        {"chk_music", [](CL_ComponentStyle* s) { return dynamic_cast<CL_CheckBox_QX*>(s) != nullptr; }},
        {"frm_line", [](CL_ComponentStyle* s) { return dynamic_cast<CL_Frame_QX*>(s) != nullptr; }},
        {"radio", [](CL_ComponentStyle* s) { return s == nullptr; }},
    };
    for (const auto& r : rows) EXPECT_TRUE(r.styled(layout_->get_component(r.name)->get_style())) << r.name;
}

TEST_F(Look, PaintsEveryComponent) {
    paint("look_every_component.png");
}
