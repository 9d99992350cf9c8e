// Base, Bug, Exit, Terminal and Explosion on small fields: their tick counts,
// the bug's countdown from the level's generator and its spark sounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/level/level.h"
#include "game/objects/explosions.h"
#include "game/objects/small_objects.h"
#include "support/field_from_text.h"

namespace {

using T = KV_ObjectType;
using K = KV_ExplosionState;

KV_Logic::Bug::View bug(TestField& f, int x, int y) { return KV_Logic::Bug::View{f.at(KV_LAYER_ITEMS, x, y)}; }

// ---- Base and Bug being eaten ----

struct EatenCase {
    char tile;
    uint16_t state;
    int base_eaten_sounds;
};

class SmallEaten : public ::testing::TestWithParam<EatenCase> {};

TEST_P(SmallEaten, GoneAfterSixteenTicks) {
    const EatenCase c = GetParam();
    TestField f = FieldFromText({"###", std::string("#") + c.tile + "#", "###"});
    KV_Cell& cell = f.at(KV_LAYER_ITEMS, 1, 1);
    // As the eat entries leave it in mid-tick: active and not yet done.
    cell.flags &= ~uint32_t(CF_STATIC | CF_DONE);
    cell.set_state(c.state);
    int sounds = 0;
    for (int t = 1; t <= 15; ++t) {
        f.tick();
        sounds += f.sound(SE_BASE_EATEN);
        ASSERT_NE(f.type_at(1, 1, 1), T::Empty) << "tick " << t;
    }
    f.tick();
    EXPECT_EQ(f.type_at(1, 1, 1), T::Empty);
    EXPECT_EQ(sounds, 0);
    EXPECT_EQ(f.sound(SE_BASE_EATEN), c.base_eaten_sounds);
}

INSTANTIATE_TEST_SUITE_P(Cases, SmallEaten,
                         ::testing::Values(EatenCase{'.', 2, 0}, EatenCase{'.', 4, 1}, EatenCase{'B', 2, 0},
                                           EatenCase{'B', 4, 1}));

// ---- Bug ----

TEST(Bug, SparksNinetyTicksFromACountdownOfZero) {
    TestField f = FieldFromText({"###", "#B#", "###"});
    f.level->set_random_seed(0);
    f.tick();  // a fresh cell sits out the first process pass
    EXPECT_EQ(bug(f, 1, 1).state(), KV_BugState::Quiet);
    f.tick();
    EXPECT_EQ(bug(f, 1, 1).state(), KV_BugState::Sparking);
    EXPECT_EQ(bug(f, 1, 1).counter(), 0);
    f.run_ticks(89);  // 91
    EXPECT_EQ(bug(f, 1, 1).state(), KV_BugState::Sparking);
    EXPECT_EQ(bug(f, 1, 1).counter(), 89);
    f.tick();  // 92
    EXPECT_EQ(bug(f, 1, 1).state(), KV_BugState::Quiet);
}

struct CountdownCase {
    bool unpredictable;
    int quiet_ticks;  // with seed 0 every draw is 0
};

class BugCountdown : public ::testing::TestWithParam<CountdownCase> {};

TEST_P(BugCountdown, FromSeedZero) {
    const CountdownCase c = GetParam();
    TestField f = FieldFromText({"###", "#B#", "###"});
    f.level->set_random_seed(0);
    if (c.unpredictable) bug(f, 1, 1).set_unpredictable();
    f.run_ticks(92);
    ASSERT_EQ(bug(f, 1, 1).state(), KV_BugState::Quiet);
    EXPECT_EQ(bug(f, 1, 1).counter(), c.quiet_ticks);
    EXPECT_EQ(bug(f, 1, 1).unpredictable(), c.unpredictable) << "the flag survives the reset";
    f.run_ticks(c.quiet_ticks);
    EXPECT_EQ(bug(f, 1, 1).state(), KV_BugState::Quiet);
    EXPECT_EQ(bug(f, 1, 1).counter(), 0);
    f.tick();
    EXPECT_EQ(bug(f, 1, 1).state(), KV_BugState::Sparking);
}

INSTANTIATE_TEST_SUITE_P(Rules, BugCountdown,
                         ::testing::Values(CountdownCase{false, 32}, CountdownCase{true, 0}));

TEST(BugCountdown, BugsDrawFromTheLevelGeneratorInScanOrder) {
    TestField f = FieldFromText({"#####", "#B B#", "#####"});
    f.level->set_random_seed(12345);
    bug(f, 3, 1).set_unpredictable();
    KV_Level reference(3, 3);
    reference.set_random_seed(12345);
    const int first = reference.random(), second = reference.random();
    f.run_ticks(92);
    EXPECT_EQ(bug(f, 1, 1).counter(), first % 512 + 32);
    EXPECT_EQ(bug(f, 3, 1).counter(), second % 512);
    EXPECT_EQ(f.level->random(), reference.random()) << "one draw per bug, no more";
}

TEST(BugCountdown, TheSameSeedGivesTheSameSparks) {
    auto sparks = [](uint32_t seed) {
        TestField f = FieldFromText({"###", "#B#", "###"});
        f.level->set_random_seed(seed);
        std::vector<int> starts;
        KV_BugState last = KV_BugState::Quiet;
        for (int t = 1; t <= 3000; ++t) {
            f.tick();
            const KV_BugState now = bug(f, 1, 1).state();
            if (now == KV_BugState::Sparking && last != now) starts.push_back(t);
            last = now;
        }
        return starts;
    };
    const std::vector<int> a = sparks(777), b = sparks(777);
    EXPECT_EQ(a, b);
    ASSERT_GE(a.size(), 3u);
    for (size_t i = 1; i < a.size(); ++i) EXPECT_GE(a[i] - a[i - 1], 90 + 32 + 1);
}

struct SparkSoundCase {
    int distance;
    int near_sounds, far_sounds;
};

class BugSparkSound : public ::testing::TestWithParam<SparkSoundCase> {};

TEST_P(BugSparkSound, EverySixteenTicksByDistance) {
    const SparkSoundCase c = GetParam();
    std::string row = "#B     #";
    row[size_t(1 + c.distance)] = 'P';
    TestField f = FieldFromText({"########", row, "########"});
    f.level->set_random_seed(0);
    int near_total = 0, far_total = 0;
    for (int t = 1; t <= 92; ++t) {
        f.tick();
        const int near = f.sound(SE_BUG_NEAR), far = f.sound(SE_BUG_FAR);
        near_total += near;
        far_total += far;
        // Sparking from tick 2, counter t-2: sounds at counters 16, 32, 48, 64 and 80.
        if ((t - 2) % 16 != 0 || t == 2) {
            ASSERT_EQ(near + far, 0) << "tick " << t;
        }
    }
    EXPECT_EQ(near_total, c.near_sounds);
    EXPECT_EQ(far_total, c.far_sounds);
}

INSTANTIATE_TEST_SUITE_P(Distances, BugSparkSound,
                         ::testing::Values(SparkSoundCase{1, 5, 0}, SparkSoundCase{2, 0, 5},
                                           SparkSoundCase{3, 0, 0}));

// ---- Exit ----

TEST(Exit, OpensInTheTickTheQuotaIsReachedAndStaysOpen) {
    TestField f = FieldFromText({"###", "#E#", "###"});
    f.status().set_quarkels_needed(2);
    f.status().inc_quarkels();
    f.run_ticks(5);
    EXPECT_EQ(KV_Logic::Exit::View{f.at(KV_LAYER_ITEMS, 1, 1)}.state(), KV_ExitState::Closed);
    f.status().inc_quarkels();
    f.tick();
    EXPECT_EQ(KV_Logic::Exit::View{f.at(KV_LAYER_ITEMS, 1, 1)}.state(), KV_ExitState::Open);
    EXPECT_TRUE(f.at(KV_LAYER_ITEMS, 1, 1).has(CF_STATIC));
    f.at(KV_LAYER_ITEMS, 1, 1).set_state(9);  // no longer processed, so a bad state goes unnoticed
    EXPECT_NO_THROW(f.run_ticks(3));
}

TEST(Exit, AQuotaOfZeroOpensAtOnce) {
    TestField f = FieldFromText({"###", "#E#", "###"});
    f.tick();  // a fresh cell sits out the first process pass
    EXPECT_EQ(KV_Logic::Exit::View{f.at(KV_LAYER_ITEMS, 1, 1)}.state(), KV_ExitState::Closed);
    f.tick();
    EXPECT_EQ(KV_Logic::Exit::View{f.at(KV_LAYER_ITEMS, 1, 1)}.state(), KV_ExitState::Open);
}

// ---- Terminal ----

TEST(Terminal, AnimationWrapsAt256) {
    TestField f = FieldFromText({"###", "#T#", "###"});
    KV_Logic::Terminal::View t{f.at(KV_LAYER_ITEMS, 1, 1)};
    f.run_ticks(256);  // the first tick is sat out
    EXPECT_EQ(t.animation(), 255u);
    f.tick();
    EXPECT_EQ(t.animation(), 0u);
    f.tick();
    EXPECT_EQ(t.animation(), 1u);
}

// ---- Explosion ----

struct FireCase {
    K kind;
    int ticks;
};

class ExplosionKind : public ::testing::TestWithParam<FireCase> {};

TEST_P(ExplosionKind, BurnsOrWaitsItsTicks) {
    const FireCase c = GetParam();
    TestField f = FieldFromText(room(5));
    KV_Logic::make_explosion(f.at(KV_LAYER_FIXTURES, 2, 2), c.kind);
    f.run_ticks(c.ticks);  // counted from the second tick: a fresh fire sits out the pass it is made in
    ASSERT_EQ(f.type_at(3, 2, 2), T::Explosion);
    EXPECT_EQ(KV_Logic::Explosion::View{f.at(KV_LAYER_FIXTURES, 2, 2)}.counter(), uint32_t(c.ticks - 1));
    EXPECT_EQ(f.type_at(1, 2, 2), T::Empty);
    f.tick();
    switch (c.kind) {
        case K::Plain:
            EXPECT_EQ(f.type_at(3, 2, 2), T::Empty);
            EXPECT_EQ(f.type_at(1, 2, 2), T::Empty);
            break;
        case K::Plain_Quarkel:
            EXPECT_EQ(f.type_at(3, 2, 2), T::Empty);
            EXPECT_EQ(f.type_at(1, 2, 2), T::Quarkel);
            break;
        case K::Delayed_Normal:
        case K::Delayed_Quarkel: {
            // Its own 3x3 blast: every position of the area burns anew.
            const K fire = c.kind == K::Delayed_Normal ? K::Plain : K::Plain_Quarkel;
            for (int y = 1; y <= 3; ++y)
                for (int x = 1; x <= 3; ++x) {
                    ASSERT_EQ(f.type_at(3, x, y), T::Explosion) << x << "," << y;
                    EXPECT_EQ(KV_Logic::Explosion::View{f.at(KV_LAYER_FIXTURES, x, y)}.kind(), fire);
                    EXPECT_EQ(KV_Logic::Explosion::View{f.at(KV_LAYER_FIXTURES, x, y)}.counter(), 0u);
                }
            EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR) + f.sound(SE_EXPLOSION_FAR), 1);
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ExplosionKind,
                         ::testing::Values(FireCase{K::Plain, 64}, FireCase{K::Delayed_Normal, 24},
                                           FireCase{K::Plain_Quarkel, 64}, FireCase{K::Delayed_Quarkel, 24}));

TEST(ExplosionKind, AQuarkelBlastLeavesAQuarkelOnEveryPosition) {
    TestField f = FieldFromText(room(5));
    KV_Logic::make_explosion(f.at(KV_LAYER_FIXTURES, 2, 2), K::Delayed_Quarkel);
    // 1 tick sat out, 24 of delay, then 64 of fire counted from the tick after the blast.
    f.run_ticks(88);
    for (int y = 1; y <= 3; ++y)
        for (int x = 1; x <= 3; ++x) ASSERT_EQ(f.type_at(1, x, y), T::Empty);
    f.tick();
    for (int y = 1; y <= 3; ++y)
        for (int x = 1; x <= 3; ++x) {
            EXPECT_EQ(f.type_at(1, x, y), T::Quarkel) << x << "," << y;
            EXPECT_EQ(f.type_at(3, x, y), T::Empty);
        }
    f.run_ticks(20);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Quarkel) << "they lie still in the box";
}

// ---- corrupt cells ----

TEST(SmallFatal, UnknownStatesNameTheObject) {
    struct Row {
        char tile;
        int layer;
        uint32_t state;
        const char* expected;
    };
    const Row rows[] = {
        {'.', 1, 1, "KV_Logic::Base, process, unknown state"},
        {'B', 1, 3, "KV_Logic::Bug, process, unknown state"},
        {'E', 1, 7, "KV_Logic::Exit, process, unknown state 7"},
        {' ', 3, 3, "KV_Logic::Explosion, process, unknown state"},
    };
    for (const Row& r : rows) {
        TestField f = FieldFromText({"###", std::string("#") + r.tile + "#", "###"});
        KV_Cell& cell = f.at(r.layer, 1, 1);
        if (r.layer == 3) KV_Logic::make_explosion(cell, K::Plain);
        cell.flags &= ~uint32_t(CF_STATIC | CF_DONE);
        cell.set_u32(0, r.state);
        EXPECT_EQ(fatal_message([&] { f.tick(); }), r.expected);
    }
}

}  // namespace
