// The fixed-step timer and the running game's frames: a frame ticks or draws,
// never both; the keys of a tick are its input and are recorded; the HUD band,
// the sounds and the keep-alive pass are reached through the host.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/play/key_mask.h"
#include "game/play/session.h"
#include "game/play/tick_timer.h"
#include "play_support.h"
#include "support/field_from_text.h"

using play_support::FakeClock;
using play_support::ScriptedHost;

namespace {

struct SessionOnField {
    TestField field = FieldFromText({"#######",
                                     "#P....#",
                                     "#######"});
    FakeClock clock;
    KV_GameSession session{field.level};
    ScriptedHost host;
    SessionOnField() { session.set_clock(clock.clock()); }
    KV_GameResult frame(double advance_ms = 0) {
        clock.ms += advance_ms;
        return session.run_frame(host);
    }
};

}  // namespace

TEST(TickTimer, StartsAtFiftyAndKeepsRatesInRange) {
    FakeClock clock;
    KV_TickTimer timer(clock.clock());
    EXPECT_EQ(timer.get_rate(), 50);
    EXPECT_DOUBLE_EQ(timer.get_period(), 0.02);
    const struct { int32_t asked, got; } rows[] = {{0, 1}, {-7, 1}, {1, 1}, {999, 999}, {1000, 1000}, {5000, 1000}};
    for (const auto& r : rows) {
        timer.set_rate(r.asked);
        EXPECT_EQ(timer.get_rate(), r.got) << "asked " << r.asked;
    }
}

TEST(TickTimer, ChangingTheRateKeepsThePendingTicks) {
    FakeClock clock;
    KV_TickTimer timer(clock.clock());
    clock.ms += 30;
    timer.update();
    EXPECT_DOUBLE_EQ(timer.get_accumulated(), 0.03);  // 1.5 ticks at 50
    timer.set_rate(100);
    EXPECT_DOUBLE_EQ(timer.get_accumulated(), 0.015);  // still 1.5 ticks
    timer.set_rate(3);
    EXPECT_NEAR(timer.get_accumulated() * 3, 1.5, 1e-12);
}

TEST(TickTimer, AddsAtMostOneSecondAndNothingWhenTheClockStepsBack) {
    FakeClock clock;
    KV_TickTimer timer(clock.clock());
    clock.ms += 10000;
    timer.update();
    EXPECT_DOUBLE_EQ(timer.get_accumulated(), 1.0);

    timer.reset();
    clock.ms -= 500;
    timer.update();
    EXPECT_DOUBLE_EQ(timer.get_accumulated(), 0.0);
    clock.ms += 40;  // counted from the reading that stepped back
    timer.update();
    EXPECT_NEAR(timer.get_accumulated(), 0.04, 1e-12);

    timer.consume_tick();
    EXPECT_NEAR(timer.get_accumulated(), 0.02, 1e-12);
    timer.reset();
    EXPECT_DOUBLE_EQ(timer.get_accumulated(), 0.0);
}

TEST(GameSession, TicksWhenAPeriodIsPendingThenDrawsTheRestAsAFraction) {
    SessionOnField s;
    s.host.keys = [](int) { return KV_KeyMask::RIGHT; };
    EXPECT_EQ(s.frame(25), GR_RUNNING);
    EXPECT_EQ(s.host.ticks, 1);
    EXPECT_TRUE(s.host.fractions.empty());
    EXPECT_EQ(*s.field.level->get_input(), KV_KeyMask::RIGHT);

    s.frame();
    EXPECT_EQ(s.host.ticks, 1);
    ASSERT_EQ(s.host.fractions.size(), 1u);
    EXPECT_NEAR(s.host.fractions[0], 0.5, 1e-9);  // 5 ms of a 20 ms period, 2 pixels a tick
    EXPECT_EQ(s.host.keep_alives, 2);             // one per frame, tick or draw
}

TEST(GameSession, DrawsAfterSeventeenTicksInARowWhateverIsPending) {
    SessionOnField s;
    s.frame(1000);  // 50 ticks pending; this frame is the first tick
    for (int i = 0; i < 16; ++i) s.frame();
    EXPECT_EQ(s.host.ticks, 17);
    EXPECT_TRUE(s.host.fractions.empty());

    s.frame();
    ASSERT_EQ(s.host.fractions.size(), 1u);
    EXPECT_EQ(s.host.fractions[0], 0.0);
    EXPECT_EQ(s.host.ticks, 17);

    s.frame();  // the pending time is worked off by later frames
    EXPECT_EQ(s.host.ticks, 18);
    EXPECT_EQ(s.host.keep_alives, 19);
}

TEST(GameSession, RecordsTheMaskOfEveryTickAndPlaysItsSounds) {
    SessionOnField s;
    const int32_t script[] = {0, 0, 4, 4, 4, 16 | 4};
    s.host.keys = [&](int n) { return script[std::min(n, 5)]; };
    while (s.host.ticks < 6) s.frame(20);
    const std::vector<KV_KeyStream::Entry> want = {{0, 2}, {4, 3}, {20, 1}};
    EXPECT_EQ(s.session.get_key_stream().entries(), want);
    EXPECT_EQ(s.host.sound_calls, s.host.ticks);
    EXPECT_EQ(s.host.last_events, s.field.level->get_sound_events());
    EXPECT_EQ(s.field.level->get_player_x(), 2);  // Pellik has stepped right

    s.session.set_game_speed(100);  // 10 ms a tick now
    const int before = s.host.ticks;
    s.frame(10);
    EXPECT_EQ(s.host.ticks, before + 1);
    EXPECT_EQ(s.session.get_game_speed(), 100);
}

TEST(GameSession, ResultFollowsTheGameStateMask) {
    SessionOnField s;
    const struct { int32_t mask; KV_GameResult result; } rows[] = {
        {1, GR_RUNNING}, {4, GR_FINISHED}, {2, GR_ENDED}, {5, GR_ENDED}, {3, GR_ENDED}, {0, GR_ENDED}, {6, GR_ENDED},
    };
    for (const auto& r : rows) {
        s.field.status().set_state(r.mask);
        EXPECT_EQ(s.session.get_state(), r.result) << "mask " << r.mask;
        EXPECT_EQ(s.frame(5), r.result) << "mask " << r.mask;
    }
}

TEST(GameSession, StartingAgainForgetsTheOldGame) {
    SessionOnField s;
    while (s.host.ticks < 3) s.frame(20);
    s.field.level->set_random_seed(77);
    EXPECT_EQ(s.session.get_random_seed(), 77u);

    TestField other = FieldFromText({"#####", "#P  #", "#####"});
    s.session.start(other.level);
    EXPECT_TRUE(s.session.get_key_stream().entries().empty());
    EXPECT_EQ(s.session.get_game().get_level(), other.level);
    s.frame(5);  // the timer starts afresh too: 5 ms is no tick
    EXPECT_EQ(s.host.ticks, 3);
}

TEST(GameSession, WithoutALevelEndsAndNeverTicksOrDraws) {
    FakeClock clock;
    KV_GameSession session{nullptr};
    session.set_clock(clock.clock());
    ScriptedHost host;
    for (int i = 0; i < 3; ++i) {
        clock.ms += 30;
        EXPECT_EQ(session.run_frame(host), GR_ENDED);
    }
    session.logic_tick(host);
    EXPECT_EQ(host.ticks, 0);
    EXPECT_EQ(host.sound_calls, 0);
    EXPECT_TRUE(host.fractions.empty());
    EXPECT_EQ(host.keep_alives, 3);
    EXPECT_EQ(session.get_random_seed(), 0u);
}

TEST(KeyMask, AsksTheFiveKeysInTheirOrderAndSetsTheirBits) {
    using Key = KV_KeyMask::Key;
    std::vector<Key> asked;
    const int32_t all = KV_KeyMask::compose([&](Key k) {
        asked.push_back(k);
        return true;
    });
    EXPECT_EQ(asked, (std::vector<Key>{Key::Up, Key::Down, Key::Left, Key::Right, Key::Space}));
    EXPECT_EQ(all, 31);
    const struct { Key key; int32_t bit; } rows[] = {
        {Key::Left, 1}, {Key::Up, 2}, {Key::Right, 4}, {Key::Down, 8}, {Key::Space, 16},
    };
    for (const auto& r : rows) EXPECT_EQ(KV_KeyMask::compose([&](Key k) { return k == r.key; }), r.bit);
}
