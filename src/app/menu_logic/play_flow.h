#pragma once
// The play screen's rules: when a game or a replay starts, what its keys do,
// how it ends (the pause after a win, the end delay after a loss, Escape), the
// demo of every game played and the progress of a win. The screen itself only
// supplies what lies around it (player, clock, timer, sound, menus), so these
// rules run and are tested without a window.
#include <cstdint>
#include <memory>
#include <string>

#include "app/players/player.h"
#include "foundation/clock.h"
#include "game/play/demo.h"
#include "game/play/session.h"

// The keys the screen acts on, whatever their codes on the platform.
enum class KV_PlayKey {
    Escape,
    PrevTrack,    // B
    ToggleMusic,  // M
    NextTrack,    // N
    Restart,      // R
    NextLevel,    // F1
    PrevLevel,    // F2
    SpeedUp1,     // 1
    SpeedDown1,   // 2
    SpeedUp10,    // 3
    SpeedDown10,  // 4
    Other,
};

// What the rules reach around them.
class KV_PlayScreenEnv {
public:
    virtual ~KV_PlayScreenEnv() = default;
    virtual std::shared_ptr<KV_Player> current_player() = 0;
    // Keys, sound and drawing of the running game.
    virtual KV_PlayHost& host() = 0;
    // The screen's own frame when nothing runs: its layout, the flip, the keep-alive pass.
    virtual void base_frame() {}
    // The end timer: after interval_ms it calls KV_PlayFlow::on_timer once.
    virtual void arm_end_timer(int32_t /*interval_ms*/) {}
    virtual void disable_end_timer() {}
    virtual void pause_ms(int32_t /*ms*/) {}
    // Leaves the screen for the named menu.
    virtual void switch_to(const std::string& menu) = 0;
    virtual void prev_track() {}
    virtual void toggle_music() {}
    virtual void next_track() {}
    // What the player's file holds has changed (a win, the speed): write it now.
    virtual void save_player(const KV_Player& /*player*/) {}
    virtual Qx::LocalTime local_time() { return Qx::local_time_now(); }
    // Real time for new games and replays (milliseconds); empty for the system's clock.
    virtual KV_TickTimer::Clock clock() { return KV_TickTimer::Clock(); }
};

class KV_PlayFlow {
public:
    enum Mode : int32_t { MODE_PLAY = 0, MODE_REPLAY_LAST = 1, MODE_REPLAY_FILE = 2 };
    enum EndState : int32_t { END_RUNNING = 0, END_LOST = 1, END_SOLVED = 2 };

    static constexpr int32_t SOLVED_PAUSE_MS = 250;
    static constexpr int32_t LOST_DELAY_MS = 3000;

    // Makes sure the objects' ask/do tables are filled before the first game.
    explicit KV_PlayFlow(KV_PlayScreenEnv& env);

    // The next frame (re)starts in this mode.
    void set_mode(int32_t mode);
    int32_t get_mode() const { return mode_; }
    bool has_demo() const { return bool(demo_); }
    std::shared_ptr<KV_Demo> get_demo() const { return demo_; }
    void set_demo(std::shared_ptr<KV_Demo> demo) { demo_ = std::move(demo); }

    // One frame of the screen.
    void run_frame();
    // The end of a game or replay: the demo of a game played, the progress of a
    // win, then back to the menu that started it.
    void end_game();
    // A key pressed while this screen is current.
    void on_key(KV_PlayKey key);
    // The end delay after a loss has passed.
    void on_timer();
    // The window was closed: the game ends as Escape ends it, at the next frame.
    void on_window_close() { leave_requested_ = true; }
    // Leaves for the named menu; the next entry starts afresh.
    void change_menu(const std::string& menu);
    // "menu_game" after play and the replay of the last game, "menu_demos" after a demo file.
    void go_back();

    KV_GameSession* get_game() const { return game_.get(); }
    int32_t get_end_state() const { return end_state_; }
    bool is_start_pending() const { return start_; }
    bool is_leave_requested() const { return leave_requested_; }

private:
    // What the game in play mode was started on: its end is booked against
    // these, whatever the keys changed since.
    struct Started {
        std::shared_ptr<KV_Player> player;
        std::shared_ptr<KV_LevelBase> level;
        std::shared_ptr<KV_LevelsetStat> stat;
        std::string levelset;
        int32_t number = 0;
    };

    bool start_game();
    void frame_play();
    void frame_replay();
    void change_speed(KV_PlayKey key);

    KV_PlayScreenEnv& env_;
    std::unique_ptr<KV_GameSession> game_;
    std::shared_ptr<KV_Demo> demo_;
    Started started_;
    int32_t end_state_ = END_RUNNING;
    bool start_ = true;
    bool leave_requested_ = false;
    int32_t mode_ = MODE_PLAY;
};

// The speed change of a speed key (+1, -1, +10, -10); 0 for any other key.
int32_t kv_speed_step(KV_PlayKey key);
