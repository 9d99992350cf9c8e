#pragma once
// A window of its own showing a game as the play screen shows it: ClanLib set
// up, the object sprites and the in-game fonts loaded from the game's data
// folder (the working directory), the draw entries installed. The picture
// from the command line, the display tests and the drawing benchmark all draw
// through it.
#include <ClanLib/Core/Resources/resource_manager.h>

#include <memory>
#include <string>

#include "game/draw/font_set.h"

class CL_DisplayWindow;
class KV_Game;

class KV_GameWindow {
public:
    // Throws ClanLib's error when the window, a sprite or a font cannot be made.
    // The sprites load once in a process (see KV_SpriteManager::init), so only
    // the first game window of a process shows them.
    explicit KV_GameWindow(const std::string& title, int width = 800, int height = 600);
    ~KV_GameWindow();
    KV_GameWindow(const KV_GameWindow&) = delete;
    KV_GameWindow& operator=(const KV_GameWindow&) = delete;

    // The game's picture, not yet flipped: the field and the HUD.
    void draw(KV_Game& game, double fraction, int32_t game_speed);
    // The picture drawn so far, written as a PNG.
    void save(const std::string& png_file);
    void flip();

    KV_FontSet& fonts() { return fonts_; }

private:
    struct Setup;
    std::unique_ptr<Setup> setup_;
    std::unique_ptr<CL_DisplayWindow> window_;
    std::unique_ptr<CL_ResourceManager> resources_;
    KV_FontSet fonts_;
};
