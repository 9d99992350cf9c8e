#include "game/draw/game_window.h"

#include <ClanLib/Core/System/setupcore.h>
#include <ClanLib/Display/display.h>
#include <ClanLib/Display/display_window.h>
#include <ClanLib/Display/setupdisplay.h>
#include <ClanLib/GL/setupgl.h>

#include "game/draw/display_host.h"
#include "game/draw/sprite_manager.h"
#include "game/draw/visualisation.h"

// ClanLib's parts, set up in this order and taken down in reverse.
struct KV_GameWindow::Setup {
    CL_SetupCore core;
    CL_SetupDisplay display;
    CL_SetupGL gl;
};

KV_GameWindow::KV_GameWindow(const std::string& title, int width, int height) : setup_(new Setup) {
    window_.reset(new CL_DisplayWindow(title, width, height));
    KV_SpriteManager::init();
    resources_.reset(new CL_ResourceManager("resources.xml"));
    fonts_.load(*resources_);
    install_visualisation();
}

// The sprites live on the window's GL context: they go first. The sprite
// manager loads once in a process, so one game window per process shows sprites.
KV_GameWindow::~KV_GameWindow() { KV_SpriteManager::shutdown(); }

void KV_GameWindow::draw(KV_Game& game, double fraction, int32_t game_speed) {
    kv_draw_game_picture(game, fraction, fonts_, game_speed);
}

void KV_GameWindow::save(const std::string& png_file) { kv_save_frame(png_file); }

void KV_GameWindow::flip() { CL_Display::flip(-1); }
