// The play screen's rules on real levels, with a scripted keyboard and a
// clock that moves only when the screen's frames let it.
#include <gtest/gtest.h>

#include <sstream>

#include "app/menu_logic/play_flow.h"
#include "app_fixtures.h"
#include "game/level/levelset_registry.h"

namespace {

using app_fixtures::InScratchDir;

// Masks from a solution line's runs, "4x880,8x96": one mask a tick, 0 after the end.
class ScriptHost : public KV_PlayHost {
public:
    double now_ms = 0.0;
    int ticks = 0;
    std::vector<int32_t> masks;

    void set_script(const std::string& runs) {
        masks.clear();
        std::stringstream in(runs);
        std::string run;
        while (std::getline(in, run, ',')) {
            const size_t x = run.find('x');
            masks.insert(masks.end(), std::stoul(run.substr(x + 1)), std::stoi(run.substr(0, x)));
        }
    }
    int32_t read_keys() override {
        const size_t i = size_t(ticks);
        return i < masks.size() ? masks[i] : 0;
    }
    void play_events(KV_SoundEvents&) override { ++ticks; }
    void keep_alive() override { now_ms += 7.0; }
};

class FakeScreen : public KV_PlayScreenEnv {
public:
    std::shared_ptr<KV_Player> player;
    ScriptHost keys;
    std::vector<std::string> menus;
    int32_t armed_ms = 0;
    int timer_disables = 0;
    int base_frames = 0;
    int paused_ms = 0;
    // What each write of the player's file would have held: "speed current-level".
    std::vector<std::string> saved;

    std::shared_ptr<KV_Player> current_player() override { return player; }
    void save_player(const KV_Player& p) override {
        saved.push_back(std::to_string(p.get_game_speed()) + " " +
                        std::to_string(const_cast<KV_Player&>(p).get_current_level_number()));
    }
    KV_PlayHost& host() override { return keys; }
    void base_frame() override { ++base_frames; }
    void arm_end_timer(int32_t ms) override { armed_ms = ms; }
    void disable_end_timer() override {
        armed_ms = 0;
        ++timer_disables;
    }
    void pause_ms(int32_t ms) override { paused_ms += ms; }
    void switch_to(const std::string& menu) override { menus.push_back(menu); }
    Qx::LocalTime local_time() override {
        Qx::LocalTime t;
        t.year = 2026;
        t.month = 12;
        t.day = 10;
        t.hour = 21;
        t.minute = 30;
        return t;
    }
    KV_TickTimer::Clock clock() override {
        return [this] { return keys.now_ms; };
    }
};

// Solutions of the first levels of the shipped classic set.
const char* const kSolveLevel0 = "4x880,8x96,1x880,8x192,4x880";
const char* const kSolveLevel2 = "8x176,4x896";

// A player on a copy of the first `levels` shipped levels, at `current`.
void make_player_in(const InScratchDir& dir, FakeScreen& screen, size_t levels, int32_t current, int32_t speed) {
    dir.mkdir("Levels");
    app_fixtures::write_classic_set(dir / "Levels/set.dat", levels);
    screen.player = std::make_shared<KV_Player>("Tess");
    screen.player->set_levelset_name("set.dat");
    screen.player->set_levelset(open_levelset(dir / "Levels/set.dat"));
    ASSERT_TRUE(screen.player->get_levelset());
    screen.player->set_current_level_number(current);
    screen.player->set_game_speed(speed);
}

class PlayFlowTest : public ::testing::Test {
protected:
    InScratchDir dir;
    FakeScreen screen;
    KV_PlayFlow flow{screen};

    void make_player(size_t levels, int32_t current, int32_t speed = 1000) {
        make_player_in(dir, screen, levels, current, speed);
    }

    // Frames until the screen leaves (or the limit).
    int run_until_left(int limit = 200000) {
        const size_t left = screen.menus.size();
        int frames = 0;
        while (screen.menus.size() == left && frames < limit) {
            flow.run_frame();
            ++frames;
        }
        return frames;
    }

    void lose_now() {
        ASSERT_TRUE(flow.get_game());
        flow.get_game()->get_game().get_level()->get_status()->set_state(GS_PLAYER_DESTROYED);
    }

    std::vector<int32_t> states() {
        std::vector<int32_t> s = screen.player->get_levelset_stat()->levels_state();
        return s;
    }
};

TEST_F(PlayFlowTest, WinMarksTheLevelAndAdvancesWrappingPastTheLast) {
    struct Case {
        size_t levels;
        int32_t level;
        const char* solution;
        int32_t next;
    };
    const Case cases[] = {{3, 0, kSolveLevel0, 1}, {3, 2, kSolveLevel2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        InScratchDir here;
        FakeScreen s;
        KV_PlayFlow f{s};
        make_player_in(here, s, c.levels, c.level, 1000);
        s.keys.set_script(c.solution);
        f.set_mode(KV_PlayFlow::MODE_PLAY);
        for (int i = 0; i < 200000 && s.menus.empty(); ++i) f.run_frame();

        ASSERT_EQ(s.menus, std::vector<std::string>{"menu_game"}) << s.keys.ticks << " ticks, state "
            << (f.get_game() ? f.get_game()->get_game().get_level()->get_status()->get_state() : -1)
            << " end " << f.get_end_state();
        EXPECT_EQ(s.paused_ms, KV_PlayFlow::SOLVED_PAUSE_MS);
        EXPECT_EQ(s.player->get_levelset_stat()->level_state(c.level), KV_LevelsetStat::LEVEL_SOLVED);
        EXPECT_EQ(s.player->get_current_level_number(), c.next);
        EXPECT_TRUE(f.is_start_pending());
        // Written at once, with the new current level.
        EXPECT_EQ(s.saved, std::vector<std::string>{"1000 " + std::to_string(c.next)});

        // The demo of the win replays to the exit, tick for tick.
        ASSERT_TRUE(f.has_demo());
        std::shared_ptr<KV_Demo> demo = f.get_demo();
        EXPECT_EQ(demo->GetPlayer(), "Tess");
        EXPECT_EQ(demo->GetLevelset(), "set.dat");
        EXPECT_EQ(demo->GetLevelNumber(), c.level);
        EXPECT_EQ(demo->GetDate()[0] | (demo->GetDate()[1] << 8), 2026);
        demo->Restart();
        KV_PlayHost quiet;
        int ticks = 0;
        while (demo->TickNext(quiet)) ++ticks;
        EXPECT_EQ(ticks, s.keys.ticks);
        EXPECT_EQ(demo->GetState(), GR_FINISHED);
    }
}

TEST_F(PlayFlowTest, LossRunsOnForTheEndDelayThenLeavesWithoutProgress) {
    make_player(3, 1);
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    flow.run_frame();
    lose_now();
    flow.run_frame();
    EXPECT_EQ(flow.get_end_state(), KV_PlayFlow::END_LOST);
    EXPECT_EQ(screen.armed_ms, KV_PlayFlow::LOST_DELAY_MS);

    // The field keeps running while the delay runs.
    const int before = screen.keys.ticks;
    for (int i = 0; i < 50; ++i) flow.run_frame();
    EXPECT_GT(screen.keys.ticks, before);
    EXPECT_TRUE(screen.menus.empty());

    flow.on_timer();
    EXPECT_EQ(screen.armed_ms, 0);
    flow.run_frame();
    EXPECT_EQ(screen.menus, std::vector<std::string>{"menu_game"});
    EXPECT_EQ(states(), std::vector<int32_t>{});
    EXPECT_EQ(screen.player->get_current_level_number(), 1);
    ASSERT_TRUE(flow.has_demo());
    EXPECT_EQ(flow.get_demo()->GetLevelNumber(), 1);
    EXPECT_TRUE(screen.saved.empty());  // nothing the file holds has changed
}

TEST_F(PlayFlowTest, RestartDuringTheEndDelayCancelsTheReturn) {
    make_player(3, 0);
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    flow.run_frame();
    KV_GameSession* lost = flow.get_game();
    lose_now();
    flow.run_frame();
    flow.on_key(KV_PlayKey::Restart);
    EXPECT_EQ(screen.armed_ms, 0);
    flow.run_frame();
    EXPECT_NE(flow.get_game(), lost);
    EXPECT_EQ(flow.get_end_state(), KV_PlayFlow::END_RUNNING);
    EXPECT_EQ(flow.get_game()->get_state(), GR_RUNNING);
    EXPECT_TRUE(screen.menus.empty());
}

TEST_F(PlayFlowTest, EscapeEndsAtTheNextFrameAndTheGameBecomesTheLastDemo) {
    make_player(3, 0);
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    for (int i = 0; i < 30; ++i) flow.run_frame();
    flow.on_key(KV_PlayKey::Escape);
    EXPECT_TRUE(screen.menus.empty());
    flow.run_frame();
    EXPECT_EQ(screen.menus, std::vector<std::string>{"menu_game"});
    EXPECT_EQ(states(), std::vector<int32_t>{});
    EXPECT_EQ(screen.player->get_current_level_number(), 0);
    ASSERT_TRUE(flow.has_demo());
    EXPECT_EQ(flow.get_demo()->GetKeyStream().tick_count(), uint64_t(screen.keys.ticks));
}

TEST_F(PlayFlowTest, AClosedWindowEndsTheGameAsEscapeDoes) {
    make_player(3, 0);
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    for (int i = 0; i < 30; ++i) flow.run_frame();
    flow.on_window_close();
    flow.run_frame();
    EXPECT_EQ(screen.menus, std::vector<std::string>{"menu_game"});
    EXPECT_EQ(states(), std::vector<int32_t>{});
    ASSERT_TRUE(flow.has_demo());
    // Also with nothing running: the screen still goes.
    flow.set_mode(KV_PlayFlow::MODE_REPLAY_FILE);
    flow.set_demo(nullptr);
    flow.run_frame();
    flow.on_window_close();
    flow.run_frame();
    EXPECT_EQ(screen.menus, (std::vector<std::string>{"menu_game", "menu_demos"}));
}

TEST_F(PlayFlowTest, TheEndIsBookedOnTheLevelThatWasStarted) {
    // F1 moves the player on and Escape arrives before the restart: the demo
    // is of the level that was played.
    make_player(3, 0);
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    for (int i = 0; i < 30; ++i) flow.run_frame();
    flow.on_key(KV_PlayKey::NextLevel);
    flow.on_key(KV_PlayKey::Escape);
    flow.run_frame();
    EXPECT_EQ(screen.menus, std::vector<std::string>{"menu_game"});
    EXPECT_EQ(screen.player->get_current_level_number(), 1);
    ASSERT_TRUE(flow.has_demo());
    EXPECT_EQ(flow.get_demo()->GetLevelNumber(), 0);
    std::vector<uint8_t> played, level0;
    ASSERT_TRUE(flow.get_demo()->GetLevel()->GetData(played));
    ASSERT_TRUE(screen.player->get_levelset()->GetLevel(0)->GetData(level0));
    EXPECT_EQ(played, level0);
}

TEST_F(PlayFlowTest, AStartWithNothingToPlayGoesBackWithoutTouchingProgress) {
    // No player; a player without a level set.
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    flow.run_frame();
    EXPECT_EQ(screen.menus, std::vector<std::string>{"menu_game"});
    screen.player = std::make_shared<KV_Player>("Ned");
    flow.run_frame();
    EXPECT_EQ(screen.menus, (std::vector<std::string>{"menu_game", "menu_game"}));
    EXPECT_FALSE(flow.get_game());
    EXPECT_FALSE(flow.has_demo());
    EXPECT_EQ(screen.player->get_levelset_stat()->levels_state(), std::vector<int32_t>{});
    // Keys do nothing without a game.
    flow.on_key(KV_PlayKey::Escape);
    EXPECT_FALSE(flow.is_leave_requested());
}

TEST_F(PlayFlowTest, LevelKeysStepAndWrapInPlayOnly) {
    struct Case {
        int32_t from;
        KV_PlayKey key;
        int32_t to;
    };
    const Case cases[] = {{0, KV_PlayKey::PrevLevel, 0},
                          {0, KV_PlayKey::NextLevel, 1},
                          {2, KV_PlayKey::NextLevel, 0},
                          {2, KV_PlayKey::PrevLevel, 1}};
    make_player(3, 0);
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    flow.run_frame();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        screen.player->set_current_level_number(c.from);
        flow.on_key(c.key);
        EXPECT_EQ(screen.player->get_current_level_number(), c.to);
        EXPECT_TRUE(flow.is_start_pending());
        flow.run_frame();
        EXPECT_FALSE(flow.is_start_pending());
    }
    // In a replay they change nothing.
    for (int i = 0; i < 30; ++i) flow.run_frame();
    flow.on_key(KV_PlayKey::Escape);
    flow.run_frame();
    flow.set_mode(KV_PlayFlow::MODE_REPLAY_LAST);
    flow.run_frame();
    screen.player->set_current_level_number(1);
    flow.on_key(KV_PlayKey::NextLevel);
    EXPECT_EQ(screen.player->get_current_level_number(), 1);
    EXPECT_FALSE(flow.is_start_pending());
}

TEST_F(PlayFlowTest, SpeedKeysMoveTheGameAndThePlayerButAReplayOnly) {
    make_player(3, 0, 995);
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    flow.run_frame();
    EXPECT_EQ(flow.get_game()->get_game_speed(), 995);
    struct Step {
        KV_PlayKey key;
        int32_t speed;
    };
    const Step steps[] = {{KV_PlayKey::SpeedUp10, 1000}, {KV_PlayKey::SpeedUp10, 1000}, {KV_PlayKey::SpeedDown1, 999},
                          {KV_PlayKey::SpeedDown10, 989}, {KV_PlayKey::SpeedUp1, 990}, {KV_PlayKey::ToggleMusic, 990}};
    for (const Step& s : steps) {
        flow.on_key(s.key);
        EXPECT_EQ(flow.get_game()->get_game_speed(), s.speed);
        EXPECT_EQ(screen.player->get_game_speed(), s.speed);
    }
    // The file is written for each change of speed, and only then.
    EXPECT_EQ(screen.saved, (std::vector<std::string>{"1000 0", "999 0", "989 0", "990 0"}));
    // Any key copies the game's speed to the player.
    screen.player->set_game_speed(50);
    flow.on_key(KV_PlayKey::Other);
    EXPECT_EQ(screen.player->get_game_speed(), 990);

    flow.on_key(KV_PlayKey::Escape);
    flow.run_frame();
    flow.set_mode(KV_PlayFlow::MODE_REPLAY_LAST);
    flow.run_frame();
    EXPECT_EQ(flow.get_demo()->GetGameSpeed(), 990);
    flow.on_key(KV_PlayKey::SpeedDown10);
    flow.on_key(KV_PlayKey::SpeedUp1);
    EXPECT_EQ(flow.get_demo()->GetGameSpeed(), 981);
    EXPECT_EQ(screen.player->get_game_speed(), 990);
}

TEST_F(PlayFlowTest, ReplaysRunOutTheirKeysAndReturnWhereTheyCameFrom) {
    make_player(3, 0);
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    for (int i = 0; i < 60; ++i) flow.run_frame();
    flow.on_key(KV_PlayKey::Escape);
    flow.run_frame();
    const uint64_t recorded = flow.get_demo()->GetKeyStream().tick_count();
    ASSERT_GT(recorded, 0u);

    struct Case {
        int32_t mode;
        const char* back;
    };
    const Case cases[] = {{KV_PlayFlow::MODE_REPLAY_LAST, "menu_game"}, {KV_PlayFlow::MODE_REPLAY_FILE, "menu_demos"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        screen.menus.clear();
        flow.set_mode(c.mode);
        const int before = screen.keys.ticks;
        run_until_left();
        EXPECT_EQ(screen.menus, std::vector<std::string>{c.back});
        EXPECT_EQ(uint64_t(screen.keys.ticks - before), recorded);
        // A replay books no progress and keeps its demo.
        EXPECT_EQ(states(), std::vector<int32_t>{});
        EXPECT_EQ(flow.get_demo()->GetKeyStream().tick_count(), recorded);
    }
}

TEST_F(PlayFlowTest, AReplayWithoutADemoShowsOnlyTheScreen) {
    make_player(3, 0);
    flow.set_mode(KV_PlayFlow::MODE_REPLAY_FILE);
    flow.run_frame();
    flow.run_frame();
    EXPECT_EQ(screen.base_frames, 2);
    flow.on_key(KV_PlayKey::Escape);
    EXPECT_FALSE(flow.is_leave_requested());
    EXPECT_TRUE(screen.menus.empty());
}

}  // namespace

// A level without a Pellik would show an empty field that never ends: starting
// it goes back to the level choice, as a level that fails to start does.
TEST_F(PlayFlowTest, ALevelWithoutAPellikGoesBackToTheLevelChoice) {
    dir.mkdir("Levels");
    std::vector<uint8_t> bytes = test_support::read_file(KARVOLT_SOURCE_DIR "/data/Levels/karvolt.dat");
    bytes.resize(2 * 1536);
    size_t pellik_tiles = 0;
    for (size_t i = 0; i < 60 * 24; ++i) {
        if (bytes[i] != 3) continue;
        bytes[i] = 0;
        ++pellik_tiles;
    }
    ASSERT_GT(pellik_tiles, 0u) << "level 0 had a Pellik to take away";
    test_support::write_file(dir / "Levels/set.dat", bytes);
    screen.player = std::make_shared<KV_Player>("Tess");
    screen.player->set_levelset_name("set.dat");
    screen.player->set_levelset(open_levelset(dir / "Levels/set.dat"));
    ASSERT_TRUE(screen.player->get_levelset());

    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    flow.run_frame();
    EXPECT_EQ(screen.menus, std::vector<std::string>{"menu_game"});
    EXPECT_FALSE(flow.get_game());
    EXPECT_FALSE(flow.has_demo());

    // The next level, Pellik and all, still starts.
    screen.player->set_current_level_number(1);
    flow.set_mode(KV_PlayFlow::MODE_PLAY);
    flow.run_frame();
    EXPECT_TRUE(flow.get_game());
}
