// What each object draws for each of its states: sprite slot, frame, position
// with its motion, and clip; and the texts of the impossible states.
#include <gtest/gtest.h>

#include <ClanLib/Core/System/error.h>

#include <string>
#include <vector>

#include "game/draw/object_drawing.h"
#include "game/draw/sprite_slots.h"
#include "game/objects/cell.h"

namespace {

using T = KV_ObjectType;

// A cell of `type` with the given state bytes.
KV_Cell cell(T type, std::vector<uint8_t> bytes) {
    KV_Cell c(type_code(type), 0);
    for (size_t i = 0; i < bytes.size(); ++i) c.state[i] = bytes[i];
    return c;
}
uint8_t lo(int v) { return uint8_t(v); }
uint8_t hi(int v) { return uint8_t(v >> 8); }

// State bytes by object: the u16 state word first everywhere.
KV_Cell pellik(int state, int counter, int pose = 0, int dir = 0, int hold = 0) {
    return cell(T::Pellik, {lo(state), hi(state), uint8_t(counter), uint8_t(pose), uint8_t(dir), 0, lo(hold), hi(hold)});
}
KV_Cell enemy(T type, int state, int counter, int dir, int turn = 0) {
    return cell(type, {lo(state), hi(state), uint8_t(counter), 0, uint8_t(dir), uint8_t(turn)});
}
// Grobble, Quarkel, orange disk: state, push direction, u16 counter, slide phase.
KV_Cell faller(T type, int state, int push, int counter, int phase = 0) {
    return cell(type, {lo(state), hi(state), lo(push), hi(push), lo(counter), hi(counter), uint8_t(phase)});
}
// State word, u16 at bytes 2-3, u32 counter at bytes 4-7.
KV_Cell counted(T type, int state, int word2, uint32_t counter) {
    return cell(type, {lo(state), hi(state), lo(word2), hi(word2), uint8_t(counter), uint8_t(counter >> 8),
                       uint8_t(counter >> 16), uint8_t(counter >> 24)});
}
// The u32 at bytes 0-3 (variants, kinds, animation) and the u32 at 4-7.
KV_Cell words(T type, uint32_t w0, uint32_t w1 = 0) {
    return cell(type, {uint8_t(w0), uint8_t(w0 >> 8), uint8_t(w0 >> 16), uint8_t(w0 >> 24), uint8_t(w1),
                       uint8_t(w1 >> 8), uint8_t(w1 >> 16), uint8_t(w1 >> 24)});
}

// Cell (5, 4) of a view starting at (3, 2) and shifted by (10, 20): its corner is (74, 84).
constexpr int kPx = 74, kPy = 84;
KV_DrawContext context(const KV_Cell& c, double fraction, double pixels_per_tick) {
    return KV_DrawContext{5, 4, 3, 2, 40, 30, 10, 20, &c, 1, fraction, pixels_per_tick};
}

KV_SpritePlan plan_of(const KV_Cell& c, double fraction, double pixels_per_tick = 2.0) {
    const KV_DrawContext ctx = context(c, fraction, pixels_per_tick);
    namespace P = KV_DrawPlan;
    switch (c.object_type()) {
        case T::Hardware: return P::hardware(ctx);
        case T::Pellik: return P::pellik(ctx);
        case T::Pellik_Static: return P::pellik_static(ctx);
        case T::Base: return P::base(ctx);
        case T::Bug: return P::bug(ctx);
        case T::Grobble: return P::grobble(ctx);
        case T::Grobble_Clone: return P::grobble_clone(ctx);
        case T::Quarkel: return P::quarkel(ctx);
        case T::RAM: return P::ram(ctx);
        case T::Exit: return P::exit(ctx);
        case T::Terminal: return P::terminal(ctx);
        case T::Disk_Yellow: return P::disk_yellow(ctx);
        case T::Disk_Red: return P::disk_red(ctx);
        case T::Disk_Orange: return P::disk_orange(ctx);
        case T::Disk_Orange_Clone: return P::disk_orange_clone(ctx);
        case T::Explosion: return P::explosion(ctx);
        case T::Gnarrow: return P::gnarrow(ctx);
        case T::Electron: return P::electron(ctx);
        default: return P::port(ctx);
    }
}

struct PlanCase {
    const char* what;
    KV_Cell cell;
    double fraction;
    int slot, frame;
    double x, y;
    std::vector<int32_t> clip;  // x1, y1, x2, y2 when clipped
};

void check(const std::vector<PlanCase>& cases) {
    for (const PlanCase& c : cases) {
        const KV_SpritePlan p = plan_of(c.cell, c.fraction);
        EXPECT_EQ(p.slot, c.slot) << c.what;
        if (c.slot < 0) continue;
        EXPECT_EQ(p.frame, c.frame) << c.what;
        EXPECT_DOUBLE_EQ(p.x, c.x) << c.what;
        EXPECT_DOUBLE_EQ(p.y, c.y) << c.what;
        EXPECT_EQ(p.clipped, !c.clip.empty()) << c.what;
        if (p.clipped && c.clip.size() == 4) {
            EXPECT_EQ(std::vector<int32_t>({p.clip.x1, p.clip.y1, p.clip.x2, p.clip.y2}), c.clip) << c.what;
        }
    }
}

TEST(ObjectDrawing, Pellik) {
    check({
        {"ready, idle", pellik(1, 0), 0, SLOT_PELLIK, 0, kPx, kPy, {}},
        {"ready, fire held 65 ticks", pellik(1, 0, 0, 0, 65), 0, SLOT_PELLIK, 0, kPx, kPy, {}},
        {"ready, fire held 66 ticks: the red disk pose", pellik(1, 0, 0, 0, 66), 0, 13, 0, kPx, kPy, {}},
        {"ready after moving left", pellik(1, 0, 1), 0, 0, 0, kPx, kPy, {}},
        {"ready after moving up", pellik(1, 0, 2), 0, 2, 0, kPx, kPy, {}},
        {"ready after moving right", pellik(1, 0, 3), 0, 1, 0, kPx, kPy, {}},
        {"ready after moving down", pellik(1, 0, 4), 0, 3, 0, kPx, kPy, {}},
        {"ready after pushing left", pellik(1, 0, 5), 0, 8, 0, kPx, kPy, {}},
        {"ready after pushing up", pellik(1, 0, 6), 0, 10, 0, kPx, kPy, {}},
        {"ready after pushing right", pellik(1, 0, 7), 0, 9, 0, kPx, kPy, {}},
        {"ready after pushing down", pellik(1, 0, 8), 0, 11, 0, kPx, kPy, {}},
        {"ready after eating left", pellik(1, 0, 9), 0, 0, 0, kPx, kPy, {}},
        {"ready after eating down", pellik(1, 0, 12, 0, 100), 0, 3, 0, kPx, kPy, {}},
        {"moving left", pellik(2, 5, 0, 1), 0.5, 0, 5, kPx + 32 - 10.5, kPy, {}},
        {"moving up", pellik(2, 5, 0, 2), 0.5, 2, 5, kPx, kPy + 32 - 10.5, {}},
        {"moving right", pellik(2, 15, 0, 4), 1.5, 1, 15, kPx - 32 + 31.5, kPy, {}},
        {"moving down", pellik(2, 0, 0, 8), 0, 3, 0, kPx, kPy - 32, {}},
        {"moving onto a base, left", pellik(4, 3, 0, 1), 1, 0, 3, kPx + 32 - 7, kPy, {}},
        {"eating in place, up", pellik(8, 7, 0, 2), 1, 6, 3, kPx, kPy, {}},
        {"eating in place, right", pellik(8, 4, 0, 4), 0, 5, 2, kPx, kPy, {}},
        {"eating in place, left", pellik(8, 1, 0, 1), 0, 4, 0, kPx, kPy, {}},
        {"eating in place, down", pellik(8, 15, 0, 8), 0, 7, 7, kPx, kPy, {}},
        {"pushing right", pellik(16, 4, 0, 4), 1, 9, 0, kPx - 32 + 9, kPy, {}},
        {"pushing up", pellik(16, 4, 0, 2), 1, 10, 0, kPx, kPy + 32 - 9, {}},
        {"leaning left", pellik(32, 9, 0, 1), 1, 8, 0, kPx, kPy, {}},
        {"leaning down", pellik(32, 9, 0, 8), 1, 11, 0, kPx, kPy, {}},
        {"in a port", pellik(64, 3, 0, 4), 0, -1, 0, 0, 0, {}},
        {"settling", pellik(128, 3, 5, 4), 0, SLOT_PELLIK, 0, kPx, kPy, {}},
        {"Pellik_Static", cell(T::Pellik_Static, {}), 0, SLOT_PELLIK, 0, kPx, kPy, {}},
    });
}

TEST(ObjectDrawing, Enemies) {
    // Turn codes: 1 left->up, 2 up->left, 4 up->right, 8 right->up, 16 right->down,
    // 32 down->right, 64 down->left, 128 left->down; directions 1 left, 2 right, 4 up, 8 down.
    check({
        {"Gnarrow at the start faces up", enemy(T::Gnarrow, 1, 0, 1), 0, 16, 0, kPx, kPy, {}},
        {"Gnarrow moving left", enemy(T::Gnarrow, 2, 9, 1), 0.5, 14, 2, kPx + 32 - 18.5, kPy, {}},
        {"Gnarrow moving right", enemy(T::Gnarrow, 2, 6, 2), 0, 15, 6, kPx - 32 + 12, kPy, {}},
        {"Gnarrow moving up", enemy(T::Gnarrow, 2, 7, 4), 0, 16, 0, kPx, kPy + 32 - 14, {}},
        {"Gnarrow moving down", enemy(T::Gnarrow, 2, 14, 8), 1, 17, 0, kPx, kPy - 32 + 29, {}},
        {"Electron moving down", enemy(T::Electron, 2, 14, 8), 1, 25, 2, kPx, kPy - 32 + 29, {}},
        {"Electron moving left", enemy(T::Electron, 2, 5, 1), 0, 22, 1, kPx + 32 - 10, kPy, {}},
        {"clockwise left->up, first half", enemy(T::Gnarrow, 4, 3, 1, 1), 0, 18, 0, kPx, kPy, {}},
        {"clockwise left->up, second half", enemy(T::Gnarrow, 4, 4, 1, 1), 0, 18, 1, kPx, kPy, {}},
        {"anti-clockwise up->left runs backwards", enemy(T::Gnarrow, 4, 0, 4, 2), 0, 18, 1, kPx, kPy, {}},
        {"anti-clockwise up->left, second half", enemy(T::Gnarrow, 4, 7, 4, 2), 0, 18, 0, kPx, kPy, {}},
        {"up->right", enemy(T::Electron, 4, 5, 4, 4), 0, 27, 1, kPx, kPy, {}},
        {"right->up", enemy(T::Electron, 4, 5, 2, 8), 0, 27, 0, kPx, kPy, {}},
        {"right->down", enemy(T::Gnarrow, 4, 1, 2, 16), 0, 20, 0, kPx, kPy, {}},
        {"down->right", enemy(T::Gnarrow, 4, 1, 8, 32), 0, 20, 1, kPx, kPy, {}},
        {"down->left", enemy(T::Electron, 4, 6, 8, 64), 0, 29, 1, kPx, kPy, {}},
        {"left->down", enemy(T::Electron, 4, 6, 1, 128), 0, 29, 0, kPx, kPy, {}},
        {"move ended", enemy(T::Gnarrow, 8, 16, 2), 1, 15, 0, kPx, kPy, {}},
        {"turn ended", enemy(T::Electron, 16, 8, 8), 1, 25, 0, kPx, kPy, {}},
        {"stuck", enemy(T::Electron, 32, 3, 4), 1, 24, 0, kPx, kPy, {}},
    });
}

TEST(ObjectDrawing, GrobbleQuarkelAndClone) {
    // Slide phase 4 is the check point: counter 4 and a whole-pixel offset of 2.
    check({
        {"Grobble at rest", faller(T::Grobble, 1, 0, 0), 1, 38, 0, kPx, kPy, {}},
        {"Grobble falling", faller(T::Grobble, 2, 0, 3), 1.5, 38, 0, kPx, kPy + 6 + 1.5 - 32, {}},
        {"Grobble sliding left", faller(T::Grobble, 32, 0, 5, 2), 1.5, 38, 5, kPx - 10 - 1 + 32, kPy, {}},
        {"Grobble sliding left at the check point", faller(T::Grobble, 32, 0, 9, 4), 0.5, 38, 4, kPx - 8 - 2 + 32, kPy, {}},
        {"Grobble sliding right", faller(T::Grobble, 64, 0, 5, 2), 1.5, 38, 11, kPx + 10 + 1 - 32, kPy, {}},
        {"Grobble sliding right, first tick", faller(T::Grobble, 64, 0, 0, 1), 0.5, 38, 0, kPx - 32, kPy, {}},
        {"Grobble pushed left rolls forward", faller(T::Grobble, 4, 2, 3), 0.5, 38, 3, kPx - 6.5 + 32, kPy, {}},
        {"Grobble pushed right rolls backward", faller(T::Grobble, 4, 4, 3), 0.5, 38, 13, kPx + 6.5 - 32, kPy, {}},
        {"Grobble pushed right, first tick", faller(T::Grobble, 4, 4, 0), 0, 38, 0, kPx - 32, kPy, {}},
        {"Grobble landed", faller(T::Grobble, 1024, 0, 7), 1, 38, 0, kPx, kPy, {}},
        {"Grobble leaned on", faller(T::Grobble, 16, 0, 7), 1, 38, 0, kPx, kPy, {}},
        {"Grobble clone grows down", counted(T::Grobble_Clone, 1, 0, 6), 1, 38, 0, kPx, kPy + 12 + 1 - 32, {}},
        {"Quarkel at rest", faller(T::Quarkel, 1, 0, 0), 1, 45, 0, kPx, kPy, {}},
        {"Quarkel falling", faller(T::Quarkel, 2, 0, 15), 1, 45, 0, kPx, kPy + 31 - 32, {}},
        {"Quarkel sliding left counts down from 15", faller(T::Quarkel, 8, 0, 2, 2), 1.9, 45, 13, kPx - 4 - 1 + 32, kPy, {}},
        {"Quarkel sliding right", faller(T::Quarkel, 16, 0, 2, 2), 0.9, 45, 2, kPx + 4 - 32, kPy, {}},
        {"Quarkel sliding right at the check point", faller(T::Quarkel, 16, 0, 11, 4), 0.9, 45, 4, kPx + 10 - 32, kPy, {}},
        {"Quarkel eaten in place", faller(T::Quarkel, 32, 8, 6), 1, 47, 6, kPx, kPy, {}},
        {"Quarkel walked over", faller(T::Quarkel, 64, 2, 6), 1, 45, 0, kPx, kPy, {}},
        {"Quarkel landed", faller(T::Quarkel, 512, 0, 6), 1, 45, 0, kPx, kPy, {}},
    });
}

TEST(ObjectDrawing, Disks) {
    check({
        {"orange disk at rest", faller(T::Disk_Orange, 1, 0, 0), 1, 37, 0, kPx, kPy, {}},
        {"orange disk falling", faller(T::Disk_Orange, 2, 0, 4), 1, 37, 0, kPx, kPy + 9 - 32, {}},
        {"orange disk pushed left", faller(T::Disk_Orange, 4, 2, 4), 1, 37, 0, kPx - 9 + 32, kPy, {}},
        {"orange disk pushed right", faller(T::Disk_Orange, 4, 4, 4), 1, 37, 0, kPx + 9 - 32, kPy, {}},
        {"orange disk landed", faller(T::Disk_Orange, 256, 0, 4), 1, 37, 0, kPx, kPy, {}},
        {"orange clone before it shows", faller(T::Disk_Orange_Clone, 1, 0, 4), 1, -1, 0, 0, 0, {}},
        {"orange clone growing", faller(T::Disk_Orange_Clone, 1, 0, 7), 0.5, 37, 0, kPx, kPy + 6.5 - 32,
         {kPx, kPy, kPx + 32, kPy + 32}},
        {"orange clone done", faller(T::Disk_Orange_Clone, 2, 0, 7), 0.5, 37, 0, kPx, kPy + 6 - 32,
         {kPx, kPy, kPx + 32, kPy + 32}},
        {"yellow disk at rest", counted(T::Disk_Yellow, 1, 0, 0), 1, 36, 0, kPx, kPy, {}},
        {"yellow disk leaned on", counted(T::Disk_Yellow, 4, 0, 0), 1, 36, 0, kPx, kPy, {}},
        {"yellow disk pushed left", counted(T::Disk_Yellow, 2, 2, 2), 1, 36, 0, kPx - 5 + 32, kPy, {}},
        {"yellow disk pushed right", counted(T::Disk_Yellow, 2, 4, 2), 1, 36, 0, kPx + 5 - 32, kPy, {}},
        {"yellow disk pushed up", counted(T::Disk_Yellow, 2, 8, 2), 1, 36, 0, kPx, kPy - 5 + 32, {}},
        {"yellow disk pushed down", counted(T::Disk_Yellow, 2, 16, 2), 1, 36, 0, kPx, kPy + 5 - 32, {}},
        {"red disk lying", counted(T::Disk_Red, 1, 0, 9), 1, 34, 0, kPx, kPy, {}},
        {"red disk eaten in place", counted(T::Disk_Red, 2, 0, 9), 1, 34, 9, kPx, kPy, {}},
        {"red disk walked over", counted(T::Disk_Red, 4, 0, 9), 1, 34, 0, kPx, kPy, {}},
        {"red disk laid", counted(T::Disk_Red, 8, 0, 40), 1, 34, 0, kPx, kPy, {}},
    });
}

TEST(ObjectDrawing, BaseBugAndSimpleObjects) {
    // Eat directions: 2 from the left, 4 from the right, 8 from above, 16 from below.
    check({
        {"base", counted(T::Base, 1, 0, 0), 1, 39, 0, kPx, kPy, {}},
        {"base eaten in place", counted(T::Base, 2, 0, 5), 1, 41, 5, kPx, kPy, {}},
        {"base walked over from the left", counted(T::Base, 4, 2, 3), 1.5, 39, 0, kPx, kPy, {kPx + 7, kPy, kPx + 32, kPy + 32}},
        {"base walked over from the right", counted(T::Base, 4, 4, 3), 1.5, 39, 0, kPx, kPy, {kPx, kPy, kPx + 32 - 7, kPy + 32}},
        {"base walked over from above", counted(T::Base, 4, 8, 15), 1.5, 39, 0, kPx, kPy, {kPx, kPy + 31, kPx + 32, kPy + 32}},
        {"base walked over from below", counted(T::Base, 4, 16, 0), 0, 39, 0, kPx, kPy, {kPx, kPy, kPx + 32, kPy + 32}},
        {"bug quiet", faller(T::Bug, 1, 0, 300), 1, 39, 0, kPx, kPy, {}},
        {"bug eaten in place", faller(T::Bug, 2, 0, 7), 1, 41, 7, kPx, kPy, {}},
        {"bug walked over from above", faller(T::Bug, 4, 8, 2), 0, 39, 0, kPx, kPy, {kPx, kPy + 4, kPx + 32, kPy + 32}},
        {"bug sparking", faller(T::Bug, 8, 0, 89), 1, 40, 14, kPx, kPy, {}},
        {"hardware variant", words(T::Hardware, 7), 1, 32, 7, kPx, kPy, {}},
        {"RAM variant", words(T::RAM, 3), 1, 33, 3, kPx, kPy, {}},
        {"exit closed", words(T::Exit, 1), 1, 42, 0, kPx, kPy, {}},
        {"exit open", words(T::Exit, 2), 1, 42, 1, kPx, kPy, {}},
        {"terminal", words(T::Terminal, 255), 1, 30, 15, kPx, kPy, {}},
        {"explosion", words(T::Explosion, 1, 63), 1, 43, 15, kPx, kPy, {}},
        {"delayed explosion", words(T::Explosion, 2, 5), 1, 43, 1, kPx, kPy, {}},
        {"quarkel explosion", words(T::Explosion, 4, 8), 1, 44, 2, kPx, kPy, {}},
        {"delayed quarkel explosion", words(T::Explosion, 8, 8), 1, 43, 2, kPx, kPy, {}},
        {"port up to down", cell(T::Port_U_To_D, {}), 0, 51, 0, kPx, kPy, {}},
        {"port down to up", cell(T::Port_D_To_U, {}), 0, 52, 0, kPx, kPy, {}},
        {"port left to right", cell(T::Port_L_To_R, {}), 0, 49, 0, kPx, kPy, {}},
        {"port right to left", cell(T::Port_R_To_L, {}), 0, 50, 0, kPx, kPy, {}},
        {"port horizontal", cell(T::Port_Horizontal, {}), 0, 53, 0, kPx, kPy, {}},
        {"port vertical", cell(T::Port_Vertical, {}), 0, 54, 0, kPx, kPy, {}},
        {"port cross", cell(T::Port_Cross, {}), 0, 48, 0, kPx, kPy, {}},
    });
}

// The game draws at 2 pixels a tick; a drawing at another step length moves
// every object by that length a tick, the sub-tick part added as it is.
TEST(ObjectDrawing, StepLengthIsTheContextsPixelsPerTick) {
    const struct {
        const char* what;
        KV_Cell cell;
        double fraction;
        double x, y;
    } rows[] = {
        {"Pellik moving left", pellik(2, 5, 0, 1), 0.5, kPx + 32 - 5.5, kPy},
        {"Gnarrow moving right", enemy(T::Gnarrow, 2, 6, 2), 0, kPx - 32 + 6, kPy},
        {"Grobble falling", faller(T::Grobble, 2, 0, 3), 1.5, kPx, kPy + 3 + 1.5 - 32},
        {"orange disk pushed right", faller(T::Disk_Orange, 4, 4, 4), 1, kPx + 5 - 32, kPy},
    };
    for (const auto& r : rows) {
        const KV_SpritePlan p = plan_of(r.cell, r.fraction, 1.0);
        EXPECT_DOUBLE_EQ(p.x, r.x) << r.what;
        EXPECT_DOUBLE_EQ(p.y, r.y) << r.what;
    }
    // Base walked over from the left: what Pellik has covered, in whole pixels.
    const KV_SpritePlan base = plan_of(counted(T::Base, 4, 2, 3), 1.5, 1.0);
    ASSERT_TRUE(base.clipped);
    EXPECT_EQ(base.clip.x1, kPx + 4);
}

std::string fatal_of(const KV_Cell& c) {
    try {
        plan_of(c, 0.5);
    } catch (const CL_Error& e) {
        return e.message;
    }
    return "(no error)";
}

TEST(ObjectDrawing, ImpossibleStatesAreFatal) {
    const struct {
        KV_Cell cell;
        const char* text;
    } cases[] = {
        {pellik(1, 0, 13), "KV_Visualisation::Pellik, unknown old state13"},
        {pellik(2, 0, 0, 3), "KV_Visualisation::Pellik, unknown direction"},
        {pellik(4, 0, 0, 0), "KV_Visualisation::Pellik, unknown direction"},
        {pellik(8, 0, 0, 16), "KV_Visualisation::Pellik, unknown direction"},
        {pellik(16, 0, 0, 0), "KV_Visualisation, Pellik, unknown pushing direction"},
        {pellik(32, 0, 0, 5), "KV_Visualisation, Pellik, unknown pushing direction"},
        {pellik(0, 0), "KV_Visualisation::Pellik, unknown state"},
        {pellik(256, 0), "KV_Visualisation::Pellik, unknown state"},
        {enemy(T::Gnarrow, 2, 0, 3), "KV_Visualisation::Gnarrow, unknown direction"},
        {enemy(T::Gnarrow, 4, 0, 1, 3), "KV_Visualisation::Gnarrow, unknown direction"},
        {enemy(T::Gnarrow, 64, 0, 1), "KV_Visualisation::Gnarrow, unknown state"},
        {enemy(T::Electron, 8, 0, 0), "KV_Visualisation::Electron, unknown direction"},
        {enemy(T::Electron, 4, 0, 1, 0), "KV_Visualisation::Electron, unknown direction"},
        {enemy(T::Electron, 0, 0, 1), "KV_Visualisation::Electron, unknown state"},
        {faller(T::Grobble, 3, 0, 0), "KV_Visualisation::Grobble, unknown state"},
        {faller(T::Grobble, 4, 8, 0), "KV_Visualisation::Grobble, do_pushing, unknown push direction 8"},
        {counted(T::Grobble_Clone, 2, 0, 0), "KV_Visualisation::Grobble, unknown state"},
        {faller(T::Quarkel, 1024, 0, 0), "KV_Visualisation::Quarkel, unknown state"},
        {faller(T::Disk_Orange, 4, 16, 0), "KV_Visualisation::Disk_Orange, do_pushing, unknown push direction 16"},
        {faller(T::Disk_Orange, 512, 0, 0), "KV_Visualisation::Disk_Orange, unknown state"},
        {faller(T::Disk_Orange_Clone, 4, 0, 9), "KV_Visualisation::Disk_Orange, unknown state"},
        {counted(T::Disk_Yellow, 2, 1, 0), "KV_Visualisation::Disk_Yellow, do_pushing, unknown push direction 1"},
        {counted(T::Disk_Yellow, 8, 0, 0), "KV_Visualisation::Disk_Yellow, unknown state"},
        {counted(T::Disk_Red, 16, 0, 0), "KV_Disk_Red_Visualisation, draw, unknown state 16"},
        {counted(T::Base, 8, 0, 0), "KV_Base_Visualisation, draw, unknown state"},
        {counted(T::Base, 4, 1, 0), "KV_Visualisation::Base, draw,unknown eat direction"},
        {faller(T::Bug, 16, 0, 0), "KV_Bug_Visualisation, draw, unknown state"},
        {faller(T::Bug, 4, 32, 0), "KV_Visualisation::Bug, draw,unknown eat direction"},
        {words(T::Exit, 3), "KV_Exit_Visualisation, draw, unknown state"},
        {words(T::Terminal, 256), "KV_Terminal_Visualisation, draw, modifier is too big"},
        {words(T::Explosion, 16), "KV_Explosion_Visualisation, draw, unknown state"},
    };
    for (const auto& c : cases) EXPECT_EQ(fatal_of(c.cell), c.text);
}

TEST(ObjectDrawing, SlotsNameTheirResources) {
    EXPECT_STREQ(kv_sprite_resources[0], "Graphics/Objects/pellik_moving_left");
    EXPECT_STREQ(kv_sprite_resources[13], "Graphics/Objects/pellik_seting_red_disk");
    EXPECT_STREQ(kv_sprite_resources[SLOT_DISK_RED], kv_sprite_resources[SLOT_DISK_RED_SPARE]);
    EXPECT_STREQ(kv_sprite_resources[SLOT_QUARKEL_TUMB], "Graphics/Objects/quarkel_tumb");
    EXPECT_STREQ(kv_sprite_resources[54], "Graphics/Objects/port_vertical");
}

}  // namespace
