// The logic tick: scan order, flag rules and the default reporters.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/objects/interfaces.h"
#include "game/objects/prototypes.h"
#include "game/play/game.h"
#include "support/field_from_text.h"

namespace {

constexpr int16_t kFake = 200;  // a code no object uses

struct Call {
    char pass;  // 'p' process, 't' time-critical
    int layer, x, y;
    bool operator==(const Call& o) const { return pass == o.pass && layer == o.layer && x == o.x && y == o.y; }
};
std::vector<Call> g_calls;

int layer_of(const KV_ObjectContext& c) {
    for (int l = 0; l < KV_LAYER_COUNT; ++l)
        if (&c.level->at(l, c.x, c.y) == c.cell) return l;
    return -1;
}
void record_process(const KV_ObjectContext& c) { g_calls.push_back({'p', layer_of(c), c.x, c.y}); }
void record_time_critical(const KV_ObjectContext& c) { g_calls.push_back({'t', layer_of(c), c.x, c.y}); }

// Moves itself one cell right in its layer with a prototype-like copy carrying the done flag.
void move_right(const KV_ObjectContext& c) {
    g_calls.push_back({'p', layer_of(c), c.x, c.y});
    KV_Cell moved = *c.cell;
    moved.flags |= CF_DONE;
    c.level->at(layer_of(c), c.x + 1, c.y) = moved;
    KV_Logic::set_cell(*c.cell, KV_ObjectType::Empty);
}
void move_left(const KV_ObjectContext& c) {
    g_calls.push_back({'p', layer_of(c), c.x, c.y});
    KV_Cell moved = *c.cell;
    moved.flags |= CF_DONE;
    c.level->at(layer_of(c), c.x - 1, c.y) = moved;
    KV_Logic::set_cell(*c.cell, KV_ObjectType::Empty);
}
// Writes a prototype (done flag set) far below itself, through the level.
void write_far_below(const KV_ObjectContext& c) {
    KV_Logic::set_cell(c.level->at(KV_LAYER_ITEMS, c.x, c.level->get_height() - 2), KV_ObjectType::Grobble_Fall_Temp);
}
void use_terminal(const KV_ObjectContext& c) { c.level->get_status()->set_terminal_used(); }

class Tick : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        f = FieldFromText({"####", "#  #", "#  #", "####"});
        saved_p = KV_Game::process_table[kFake];
        saved_t = KV_Game::time_critical_table[kFake];
        KV_Game::process_table[kFake] = &record_process;
        KV_Game::time_critical_table[kFake] = &record_time_critical;
    }
    void TearDown() override {
        KV_Game::process_table[kFake] = saved_p;
        KV_Game::time_critical_table[kFake] = saved_t;
    }
    void put_fake(int layer, int x, int y, uint32_t flags) { f.at(layer, x, y) = KV_Cell(kFake, flags); }

    TestField f;
    KV_LogicFn saved_p = nullptr, saved_t = nullptr;
};

// The recorder stands in for the entries of every type the field holds: static
// cells are never called, in either pass.
TEST_F(Tick, StaticFieldMakesNoCalls) {
    f = FieldFromText({"######", "#.R| #", "#R.+ #", "######"});
    const KV_ObjectType held[] = {KV_ObjectType::Empty, KV_ObjectType::Hardware, KV_ObjectType::Base,
                                  KV_ObjectType::RAM, KV_ObjectType::Port_Vertical, KV_ObjectType::Port_Cross};
    std::vector<std::pair<KV_LogicFn, KV_LogicFn>> saved;
    for (KV_ObjectType t : held) {
        saved.push_back({KV_Game::process_table[type_code(t)], KV_Game::time_critical_table[type_code(t)]});
        KV_Game::process_table[type_code(t)] = &record_process;
        KV_Game::time_critical_table[type_code(t)] = &record_time_critical;
    }
    f.run_ticks(3);
    for (size_t i = 0; i < saved.size(); ++i) {
        KV_Game::process_table[type_code(held[i])] = saved[i].first;
        KV_Game::time_critical_table[type_code(held[i])] = saved[i].second;
    }
    EXPECT_TRUE(g_calls.empty()) << g_calls.size() << " calls, the first at layer " << g_calls[0].layer;
}

// Writes the done flag three rows above itself through its cell pointer, into
// a row the scan has passed: the write the row skip's promise rules out.
void mark_three_rows_above(const KV_ObjectContext& c) {
    (c.cell - 3 * c.level->get_stride())->flags |= CF_DONE;
}

TEST(TickPromise, DebugBuildsCatchAWriteBeyondTwoRows) {
    TestField f = FieldFromText(room(7));
    f.tick();  // clears the prototypes' done flags
    const KV_LogicFn saved = KV_Game::process_table[kFake];
    KV_Game::process_table[kFake] = &mark_three_rows_above;
    f.at(KV_LAYER_ITEMS, 2, 5) = KV_Cell(kFake, CF_SOLID);
    EXPECT_DEBUG_DEATH(f.tick(), "done flag left after the clear in layer 1 at \\(2, 2\\)");
    KV_Game::process_table[kFake] = saved;
}

TEST_F(Tick, ScansLayerThenRowThenColumnInBothPasses) {
    put_fake(2, 1, 1, CF_SOLID);
    put_fake(1, 2, 1, CF_SOLID);
    put_fake(1, 1, 2, CF_SOLID);
    put_fake(0, 2, 2, CF_SOLID);
    put_fake(3, 1, 2, CF_SOLID | CF_TIME_CRITICAL);
    put_fake(1, 2, 2, CF_SOLID | CF_TIME_CRITICAL);
    put_fake(1, 1, 1, CF_SOLID | CF_TIME_CRITICAL);
    f.tick();
    const std::vector<Call> expected = {
        {'p', 0, 2, 2}, {'p', 1, 2, 1}, {'p', 1, 1, 2}, {'p', 2, 1, 1},
        {'t', 1, 1, 1}, {'t', 1, 2, 2}, {'t', 3, 1, 2},
    };
    EXPECT_EQ(g_calls, expected);
}

TEST_F(Tick, SkipMaskAndDoneFlag) {
    put_fake(1, 1, 1, CF_STATIC);
    put_fake(1, 2, 1, CF_NO_PROCESS);
    put_fake(1, 1, 2, CF_DONE);                      // skipped by the process pass only
    put_fake(1, 2, 2, CF_DONE | CF_TIME_CRITICAL);   // done at the start of the pass: skipped there,
    f.tick();                                        // but the flag clears before the second pass
    const std::vector<Call> expected = {{'t', 1, 2, 2}};
    EXPECT_EQ(g_calls, expected);
    for (int l = 0; l < KV_LAYER_COUNT; ++l)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_FALSE(f.at(l, x, y).has(CF_DONE)) << l << x << y;
    g_calls.clear();
    f.tick();
    const std::vector<Call> second = {{'p', 1, 1, 2}, {'t', 1, 2, 2}};
    EXPECT_EQ(g_calls, second);
}

TEST_F(Tick, MovedObjectRunsOncePerPass) {
    KV_Game::process_table[kFake] = &move_right;
    put_fake(1, 1, 1, CF_SOLID);
    f.tick();
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 2, 1).type, kFake);
    g_calls.clear();
    KV_Game::process_table[kFake] = &move_left;
    f.tick();
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 1, 1).type, kFake);
}

TEST_F(Tick, DoneFlagClearsWhereverACellWasWritten) {
    f = FieldFromText({"####", "#  #", "#  #", "#  #", "#  #", "#  #", "#  #", "####"});
    KV_Game::process_table[kFake] = &write_far_below;
    f.tick();  // the first tick clears what the field was built with
    put_fake(1, 1, 1, CF_SOLID);
    f.tick();
    EXPECT_TRUE(f.at(KV_LAYER_ITEMS, 1, 6).is(KV_ObjectType::Grobble_Fall_Temp));
    EXPECT_FALSE(f.at(KV_LAYER_ITEMS, 1, 6).has(CF_DONE));
    // A write made between ticks through a reference kept from before is cleared too.
    KV_Cell& kept = f.at(KV_LAYER_FLOOR, 2, 3);
    f.tick();
    kept.flags |= CF_DONE;
    f.tick();
    EXPECT_FALSE(kept.has(CF_DONE));
}

TEST_F(Tick, UsedTerminalArmsYellowDisksAtTheEndOfThatTick) {
    KV_Game::process_table[kFake] = &use_terminal;
    put_fake(1, 1, 1, CF_SOLID);
    EXPECT_FALSE(f.status().get_yellow_armed());
    f.tick();
    EXPECT_TRUE(f.status().get_yellow_armed());
    EXPECT_TRUE(f.status().get_terminal_used());
}

TEST_F(Tick, SoundCountersResetAtTheStartOfEachTick) {
    f.level->get_sound_events()->post(SE_EXIT);
    f.tick();
    EXPECT_EQ(f.sound(SE_EXIT), 0);
}

TEST_F(Tick, DefaultReportersNameTypeAndPosition) {
    struct Case { uint16_t type; uint32_t flags; const char* text; };
    const Case cases[] = {
        {0, 0, "process function not setuped for object: name = 0, pos = 2, 1"},
        {1, CF_SOLID | CF_TIME_CRITICAL, "time critical function not setuped for object: name = 1, pos = 2, 1"},
        {40, CF_SOLID, "process function not setuped for object: name = 40, pos = 2, 1"},
        // A code beyond the tables' 256 entries is read as signed and still reaches the reporter.
        {0x8001, CF_SOLID, "process function not setuped for object: name = -32767, pos = 2, 1"},
    };
    for (const Case& c : cases) {
        put_cell(*f.level, KV_LAYER_ITEMS, 2, 1, KV_ObjectType::Empty);
        f.at(KV_LAYER_ITEMS, 2, 1) = KV_Cell(c.type, c.flags);
        EXPECT_EQ(fatal_message([&] { f.tick(); }), c.text);
    }
    KV_DrawContext d{};
    KV_Cell c(40, 0);
    d.cell = &c;
    d.x = 3;
    d.y = 4;
    EXPECT_EQ(fatal_message([&] { KV_Game::visualisation_entry(c.type_index())(d); }),
              "visualisation function not setuped for object: name = 40, pos = 3, 4");
}

}  // namespace
