// The application: brings up ClanLib, the log, the window and the resources,
// the game's process-wide services, the players and the options, runs the menu
// loop, and saves and tears down when it returns. Any failure on the way ends
// in the error box, with nothing saved.
#include <ClanLib/application.h>
#include <ClanLib/core.h>
#include <ClanLib/display.h>
#include <ClanLib/gl.h>
#include <ClanLib/gui.h>

#include <exception>
#include <memory>
#include <string>

#include "app/menus/menu_manager.h"
#include "game/play/game.h"
#include "app/players/options.h"
#include "app/players/player_table.h"
#include "app/style/style_manager.h"
#include "app/switches.h"
#include "foundation/bts_folder.h"
#include "foundation/clock.h"
#include "foundation/folder_lock.h"
#include "foundation/log.h"
#include "foundation/path.h"
#include "game/draw/image_check.h"
#include "game/draw/sprite_manager.h"
#include "game/draw/visualisation.h"
#include "game/media/music_keep_alive.h"
#include "game/media/sound_engine.h"
#include "game/objects/interfaces.h"
#include "platform/error_box.h"

namespace {

using Qx::log_line;

// Logs the time since `stamp` and, when asked, renews it.
void log_elapsed(double& stamp, bool renew) {
    if (!Qx::Log::is_enabled()) return;
    const double now = Qx::get_time_ms();
    Qx::g_log.debug("Time = %6.3f\n", now - stamp);
    if (renew) stamp = now;
}

void make_folder(const char* name) {
    if (Qx::is_directory(name)) return;
    if (Qx::Log::is_enabled()) Qx::g_log.debug("Creating directory: %s\n", name);
    Qx::create_directory(name);
}

// Saves killed mid-write leave their temporary files; no other copy runs here
// (the folder lock), so one whose writer is gone is nobody's.
void remove_stale_temporaries() {
    for (const char* folder : {".", "Players", "Demos"}) {
        for (const std::string& name : Qx::remove_stale_temporaries(folder))
            if (Qx::Log::is_enabled()) Qx::g_log.debug("Removed stale file: %s/%s\n", folder, name.c_str());
    }
}

void show_loading_text(CL_ResourceManager& resources) {
    CL_Display::clear(CL_Color(0, 0, 0, 255));
    CL_Font font("Window/font", &resources);
    const std::string text = "Loading resources: please wait...";
    font.draw(CL_Display::get_width() / 2 - font.get_width(text) / 2, CL_Display::get_height() / 2, text);
    CL_Display::flip(-1);
}

// On the error path the sprites go too, while the display they live in still stands.
struct SpritesGone {
    ~SpritesGone() { KV_SpriteManager::shutdown(); }
};

// And the sound engine lets go of the audio device.
struct SoundGone {
    ~SoundGone() { KV_SoundEngine::shutdown(); }
};

// The options follow the current player only while they exist.
struct OptionsUnheard {
    ~OptionsUnheard() { g_player_table.set_current_listener(nullptr); }
};

int run(int argc, char** argv) {
    // Before anything is opened or written: a second copy on this folder would
    // write over the first one's progress. Where no lock can be had at all (a
    // read-only folder) nothing can be saved either, and the game runs on.
    Qx::FolderLock folder_lock;
    if (folder_lock.take("karvolt.lock") == Qx::FolderLock::HELD) {
        show_error_box("Karvolt is already running in this folder.");
        return 1;
    }

    CL_SetupCore setup_core;
    CL_SetupGL setup_gl;
    CL_SetupDisplay setup_display;
    CL_SetupGUI setup_gui;

    Qx::g_log.set_files("", "karvolt");
    const KV_Switches switches = read_switches(argc, argv);
    if (switches.log) Qx::Log::enable();
    if (Qx::Log::is_enabled())
        Qx::g_log.debug("---------------- Startup: %s ----------------\n", Qx::g_log.date_time_text());

    log_line("Main: Creating main window\n");
    CL_DisplayWindow window("Karvolt: beta (build: 0.510)", 800, 600, switches.fullscreen, false, 2);

    log_line("Main: Loading resources\n");
    CL_ResourceManager resources("resources.xml");
    kv_check_resource_images(resources, "resources.xml");
    CL_StyleManager_QX style(&resources);
    show_loading_text(resources);

    log_line("Main: Initializing sprite manager\n");
    double stamp = Qx::get_time_ms();
    KV_SpriteManager::init();
    SpritesGone sprites_gone;
    log_elapsed(stamp, true);
    log_line("Main: Initializing interfaces\n");
    install_rules();
    install_visualisation();
    log_elapsed(stamp, true);
    log_line("Main: Initializing sound engine\n");
    SoundGone sound_gone;
    const bool sound_up = KV_SoundEngine::init(nullptr, switches.no_sound) == KV_SoundEngine::S_OK;
    log_elapsed(stamp, true);
    log_line("Main: Loading other resources\n");
    resources.load_all();
    log_elapsed(stamp, false);
    log_line("Main: Running menu\n");

    make_folder("Demos");
    make_folder("Players");
    remove_stale_temporaries();
    g_player_table.set_folder("./Players/");
    log_line("Loading players\n");
    g_player_table.load_all();

    KV_Options options;
    log_line("Loading options\n");
    const bool found = options.load();

    // Only a run that had music to play may tell the next run whether it was on.
    const bool music_ran = !switches.no_sound && sound_up && KV_SoundEngine::get_playlist_size() > 0;
    if (music_ran && options.get_music()) {
        if (found) KV_SoundEngine::set_track_index(int32_t(CL_System::get_time() % KV_SoundEngine::get_playlist_size()));
        log_line("Starting music\n");
        KV_SoundEngine::toggle_music();
    }
    if (!options.get_player().empty()) {
        if (Qx::Log::is_enabled()) Qx::g_log.debug("Setting curent player: %s\n", options.get_player().c_str());
        g_player_table.select(options.get_player());
    }

    // Another current player is written to the options at once, so the next
    // start finds the right one even after a crash.
    OptionsUnheard options_unheard;
    g_player_table.set_current_listener([&](const std::string& name) {
        if (music_ran) options.set_music(KV_SoundEngine::is_music_on());
        options.set_player(name);
        options.save();
    });

    KV_MusicKeepAlive music_keep_alive;
    log_line("Creating menu manager\n");
    auto menus = std::make_unique<KV_MenuManager>(&resources, &style);
    {
        // The window's close button ends the program as Quit does.
        CL_Slot close_button = window.sig_window_close().connect(menus.get(), &KV_MenuManager::close);
        log_line("Running menu\n");
        menus->Run();
    }

    log_line("Saving players\n");
    g_player_table.save_all();
    if (music_ran) options.set_music(KV_SoundEngine::is_music_on());
    std::shared_ptr<KV_Player> current = g_player_table.current();
    if (current) options.set_player(current->get_name());
    log_line("Saving options\n");
    options.save();
    log_line("Main: Exiting\n");
    KV_SpriteManager::shutdown();

    current.reset();
    menus.reset();
    KV_SoundEngine::shutdown();
    return 0;
}

void report_error(const std::string& message) {
    Qx::Log::enable();
    if (Qx::Log::is_enabled()) Qx::g_log.error("Error: %s\n", message.c_str());
    show_error_box(message);
}

}  // namespace

class Karvolt : public CL_ClanApplication {
public:
    int main(int argc, char** argv) override {
        try {
            return run(argc, argv);
        } catch (const CL_Error& error) {
            report_error(error.message);
        } catch (const std::exception& error) {
            report_error(error.what());
        }
        // A run that died is not a success.
        return 1;
    }
};

Karvolt g_karvolt;
