#include "game/draw/object_drawing.h"

#include "game/draw/sprite_slots.h"
#include "game/objects/cell.h"
#include "game/objects/disks.h"
#include "game/objects/eating.h"
#include "game/objects/enemies.h"
#include "game/objects/fatal.h"
#include "game/objects/grobble_quarkel.h"
#include "game/objects/pellik.h"
#include "game/objects/small_objects.h"

namespace KV_DrawPlan {

namespace {

constexpr int32_t kTile = 32;

KV_SpritePlan at_cell(const KV_DrawContext& ctx, int slot, int frame = 0) {
    KV_SpritePlan p;
    p.slot = slot;
    p.frame = frame;
    p.x = cell_x(ctx);
    p.y = cell_y(ctx);
    return p;
}

// Drawn offset of a step: the drawing's pixels a tick plus the sub-tick part.
double step_of(const KV_DrawContext& ctx, double counter, double frac) { return ctx.pixels_per_tick * counter + frac; }

// An object stepping by `d` pixels in a KV_Direction: one moving left or up
// is already in its new cell, one moving right or down is drawn from the cell it left.
void move_along(KV_SpritePlan& p, uint32_t dir, double d) {
    switch (dir) {
        case DIR_LEFT: p.x += kTile - d; break;
        case DIR_UP: p.y += kTile - d; break;
        case DIR_RIGHT: p.x += d - kTile; break;
        case DIR_DOWN: p.y += d - kTile; break;
    }
}

// Left, up, right, down as the four sprites of a Pellik row: left, right, up, down.
int pellik_side(uint8_t dir) {
    switch (dir) {
        case DIR_LEFT: return 0;
        case DIR_RIGHT: return 1;
        case DIR_UP: return 2;
        case DIR_DOWN: return 3;
    }
    return -1;
}

int pellik_ready_slot(const KV_Logic::Pellik::ConstView& v) {
    static const int by_pose[13] = {
        SLOT_PELLIK,
        SLOT_PELLIK_MOVING_LEFT + 0, SLOT_PELLIK_MOVING_LEFT + 2, SLOT_PELLIK_MOVING_LEFT + 1,
        SLOT_PELLIK_MOVING_LEFT + 3,
        SLOT_PELLIK_PUSHING_LEFT + 0, SLOT_PELLIK_PUSHING_LEFT + 2, SLOT_PELLIK_PUSHING_LEFT + 1,
        SLOT_PELLIK_PUSHING_LEFT + 3,
        SLOT_PELLIK_MOVING_LEFT + 0, SLOT_PELLIK_MOVING_LEFT + 2, SLOT_PELLIK_MOVING_LEFT + 1,
        SLOT_PELLIK_MOVING_LEFT + 3,
    };
    constexpr uint16_t kLayPoseHold = 66;
    const uint8_t pose = v.pose();
    if (pose > 12) kv_fatal("KV_Visualisation::Pellik, unknown old state", pose);
    if (pose == POSE_IDLE && v.hold() >= kLayPoseHold) return SLOT_PELLIK_SETTING_RED_DISK;
    return by_pose[pose];
}

// A Grobble or an orange disk pushed sideways (push direction 2 left, 4 right).
bool pushed_sideways(const KV_DrawContext& ctx, KV_SpritePlan& p, uint16_t push, double c, double frac) {
    if (push == uint16_t(KV_PushDirection::Left)) {
        p.x += kTile - step_of(ctx, c, frac);
        return true;
    }
    if (push == uint16_t(KV_PushDirection::Right)) {
        p.x += step_of(ctx, c, frac) - kTile;
        return true;
    }
    return false;
}

// A faller's counter and the sub-tick part its slide is drawn with: one
// waiting at the check point stands still at counter 4, and a slide moves by
// whole pixels only.
struct SlideStep {
    int counter;
    double fraction;
};
SlideStep slide_step(const KV_Logic::ConstFallerState& v, double fraction) {
    if ((uint8_t(v.slide_phase()) & uint8_t(KV_SlidePhase::Check_Point)) != 0) return {4, 2};
    return {v.counter(), double(int32_t(fraction))};
}

// Frames of a roll to the right run backwards from 15.
int roll_right_frame(int c) { return c == 0 ? 0 : 16 - c; }

// The enemies' sprites: moving left, right, up, down, then the four turns.
KV_SpritePlan enemy(const KV_DrawContext& ctx, int base, int frames, const char* unknown_direction,
                    const char* unknown_state) {
    const KV_Logic::KV_ConstEnemyView v{*ctx.cell};
    auto moving_slot = [&]() {
        switch (v.direction()) {
            case KV_EnemyDirection::Left: return base + 0;
            case KV_EnemyDirection::Right: return base + 1;
            case KV_EnemyDirection::Up: return base + 2;
            case KV_EnemyDirection::Down: return base + 3;
        }
        kv_fatal(unknown_direction);
    };
    switch (v.state()) {
        case KV_EnemyState::Start: return at_cell(ctx, base + 2);
        case KV_EnemyState::Moving: {
            KV_SpritePlan p = at_cell(ctx, moving_slot(), v.counter() % frames);
            const double d = step_of(ctx, v.counter(), ctx.fraction);
            switch (v.direction()) {
                case KV_EnemyDirection::Left: move_along(p, DIR_LEFT, d); break;
                case KV_EnemyDirection::Right: move_along(p, DIR_RIGHT, d); break;
                case KV_EnemyDirection::Up: move_along(p, DIR_UP, d); break;
                case KV_EnemyDirection::Down: move_along(p, DIR_DOWN, d); break;
            }
            return p;
        }
        case KV_EnemyState::Turning: {
            int slot = 0;
            switch (v.turn()) {
                case KV_EnemyTurn::Left_To_Up:
                case KV_EnemyTurn::Up_To_Left: slot = base + 4; break;
                case KV_EnemyTurn::Up_To_Right:
                case KV_EnemyTurn::Right_To_Up: slot = base + 5; break;
                case KV_EnemyTurn::Right_To_Down:
                case KV_EnemyTurn::Down_To_Right: slot = base + 6; break;
                case KV_EnemyTurn::Down_To_Left:
                case KV_EnemyTurn::Left_To_Down: slot = base + 7; break;
                default: kv_fatal(unknown_direction);
            }
            const int quarter = v.counter() / 4;
            return at_cell(ctx, slot, is_clockwise(v.turn()) ? quarter : 1 - quarter);
        }
        case KV_EnemyState::Move_Ended:
        case KV_EnemyState::Turn_Ended:
        case KV_EnemyState::Stuck: return at_cell(ctx, moving_slot());
    }
    kv_fatal(unknown_state);
}

// Base and Bug walked over: the cell's square, less what Pellik has covered
// from the side it comes in.
KV_ClipRect walked_over_clip(const KV_DrawContext& ctx, double counter, const char* unknown_direction) {
    const int32_t x = cell_x(ctx), y = cell_y(ctx);
    KV_ClipRect r{x, y, x + kTile, y + kTile};
    const int32_t d = int32_t(step_of(ctx, counter, ctx.fraction));
    switch (KV_ConstEatenView{*ctx.cell}.eat_direction()) {
        case KV_EatDirection::From_Left: r.x1 += d; break;
        case KV_EatDirection::From_Right: r.x2 -= d; break;
        case KV_EatDirection::From_Above: r.y1 += d; break;
        case KV_EatDirection::From_Below: r.y2 -= d; break;
        default: kv_fatal(unknown_direction);
    }
    return r;
}

KV_SpritePlan clipped(KV_SpritePlan p, const KV_ClipRect& r) {
    p.clipped = true;
    p.clip = r;
    return p;
}

}  // namespace

int32_t cell_x(const KV_DrawContext& ctx) { return (ctx.x - ctx.first_col) * kTile + ctx.x_offset; }
int32_t cell_y(const KV_DrawContext& ctx) { return (ctx.y - ctx.first_row) * kTile + ctx.y_offset; }

KV_SpritePlan pellik(const KV_DrawContext& ctx) {
    const KV_Logic::Pellik::ConstView v{*ctx.cell};
    using S = KV_PellikState;
    const S state = v.state();
    switch (state) {
        case S::Ready: return at_cell(ctx, pellik_ready_slot(v));
        case S::Moving:
        case S::Over_Eating:
        case S::Eating_In_Place: {
            const int side = pellik_side(v.direction());
            if (side < 0) kv_fatal("KV_Visualisation::Pellik, unknown direction");
            if (state == S::Eating_In_Place) return at_cell(ctx, SLOT_PELLIK_EATING_LEFT + side, v.counter() / 2);
            KV_SpritePlan p = at_cell(ctx, SLOT_PELLIK_MOVING_LEFT + side, v.counter());
            move_along(p, v.direction(), step_of(ctx, v.counter(), ctx.fraction));
            return p;
        }
        case S::Pushing:
        case S::Leaning: {
            const int side = pellik_side(v.direction());
            if (side < 0) kv_fatal("KV_Visualisation, Pellik, unknown pushing direction");
            KV_SpritePlan p = at_cell(ctx, SLOT_PELLIK_PUSHING_LEFT + side);
            if (state == S::Pushing) move_along(p, v.direction(), step_of(ctx, v.counter(), ctx.fraction));
            return p;
        }
        case S::In_Port: return KV_SpritePlan{};
        case S::Settling: return at_cell(ctx, SLOT_PELLIK);
    }
    kv_fatal("KV_Visualisation::Pellik, unknown state");
}

KV_SpritePlan pellik_static(const KV_DrawContext& ctx) { return at_cell(ctx, SLOT_PELLIK); }

KV_SpritePlan hardware(const KV_DrawContext& ctx) {
    return at_cell(ctx, SLOT_HARDWARE, KV_Logic::Wall::ConstView{*ctx.cell}.variant());
}

KV_SpritePlan ram(const KV_DrawContext& ctx) { return at_cell(ctx, SLOT_RAM, KV_Logic::Wall::ConstView{*ctx.cell}.variant()); }

KV_SpritePlan base(const KV_DrawContext& ctx) {
    const KV_Logic::Base::ConstView v{*ctx.cell};
    switch (v.state()) {
        case KV_BaseState::Lying: return at_cell(ctx, SLOT_BASE);
        case KV_BaseState::Eaten_In_Place: return at_cell(ctx, SLOT_BASE_EATING, int(v.counter()));
        case KV_BaseState::Walked_Over:
            return clipped(at_cell(ctx, SLOT_BASE), walked_over_clip(ctx, v.counter(),
                                                                    "KV_Visualisation::Base, draw,unknown eat direction"));
    }
    kv_fatal("KV_Base_Visualisation, draw, unknown state");
}

KV_SpritePlan bug(const KV_DrawContext& ctx) {
    const KV_Logic::Bug::ConstView v{*ctx.cell};
    switch (v.state()) {
        case KV_BugState::Quiet: return at_cell(ctx, SLOT_BASE);
        case KV_BugState::Eaten_In_Place: return at_cell(ctx, SLOT_BASE_EATING, v.counter());
        case KV_BugState::Walked_Over:
            return clipped(at_cell(ctx, SLOT_BASE), walked_over_clip(ctx, v.counter(),
                                                                    "KV_Visualisation::Bug, draw,unknown eat direction"));
        case KV_BugState::Sparking: return at_cell(ctx, SLOT_BASE_CHARGING, v.counter() / 6);
    }
    kv_fatal("KV_Bug_Visualisation, draw, unknown state");
}

KV_SpritePlan grobble(const KV_DrawContext& ctx) {
    const KV_Logic::ConstFallerState v{*ctx.cell};
    const auto [c, f] = slide_step(v, ctx.fraction);
    KV_SpritePlan p = at_cell(ctx, SLOT_GROBBLE);
    using S = KV_GrobbleState;
    switch (S(v.state())) {
        case S::Falling: p.y += step_of(ctx, c, ctx.fraction) - kTile; return p;
        case S::Sliding_Left: p.frame = c; p.x += kTile - step_of(ctx, c, f); return p;
        case S::Sliding_Right: p.frame = roll_right_frame(c); p.x += step_of(ctx, c, f) - kTile; return p;
        case S::Pushed:
            if (!pushed_sideways(ctx, p, v.push_direction(), c, ctx.fraction))
                kv_fatal("KV_Visualisation::Grobble, do_pushing, unknown push direction ", v.push_direction());
            p.frame = v.push_direction() == uint16_t(KV_PushDirection::Left) ? c : roll_right_frame(c);
            return p;
        case S::At_Rest:
        case S::About_To_Fall:
        case S::Leaned_On:
        case S::Fall_Step_Ended:
        case S::Slide_Ended:
        case S::Push_Ended:
        case S::Landed: return p;
    }
    kv_fatal("KV_Visualisation::Grobble, unknown state");
}

KV_SpritePlan grobble_clone(const KV_DrawContext& ctx) {
    const KV_Logic::ConstGrobbleCloneState v{*ctx.cell};
    if (v.state() != uint16_t(KV_GrobbleCloneState::Growing)) kv_fatal("KV_Visualisation::Grobble, unknown state");
    KV_SpritePlan p = at_cell(ctx, SLOT_GROBBLE);
    p.y += step_of(ctx, v.counter(), ctx.fraction) - kTile;
    return p;
}

KV_SpritePlan quarkel(const KV_DrawContext& ctx) {
    const KV_Logic::ConstFallerState v{*ctx.cell};
    const auto [c, f] = slide_step(v, ctx.fraction);
    KV_SpritePlan p = at_cell(ctx, SLOT_QUARKEL);
    using S = KV_QuarkelState;
    switch (S(v.state())) {
        case S::Falling: p.y += step_of(ctx, c, ctx.fraction) - kTile; return p;
        case S::Sliding_Left: p.frame = 15 - c; p.x += kTile - step_of(ctx, c, f); return p;
        case S::Sliding_Right: p.frame = c; p.x += step_of(ctx, c, f) - kTile; return p;
        case S::Eaten_In_Place: p.slot = SLOT_QUARKEL_EATING; p.frame = c; return p;
        case S::At_Rest:
        case S::About_To_Fall:
        case S::Walked_Over:
        case S::Fall_Step_Ended:
        case S::Slide_Ended:
        case S::Landed: return p;
    }
    kv_fatal("KV_Visualisation::Quarkel, unknown state");
}

KV_SpritePlan exit(const KV_DrawContext& ctx) {
    switch (KV_Logic::Exit::ConstView{*ctx.cell}.state()) {
        case KV_ExitState::Closed: return at_cell(ctx, SLOT_EXIT, 0);
        case KV_ExitState::Open: return at_cell(ctx, SLOT_EXIT, 1);
    }
    kv_fatal("KV_Exit_Visualisation, draw, unknown state");
}

KV_SpritePlan terminal(const KV_DrawContext& ctx) {
    const uint32_t animation = KV_Logic::Terminal::ConstView{*ctx.cell}.animation();
    if (animation >= KV_Logic::Terminal::kAnimationLength)
        kv_fatal("KV_Terminal_Visualisation, draw, modifier is too big");
    return at_cell(ctx, SLOT_TERMINAL, int(animation / 16));
}

KV_SpritePlan disk_yellow(const KV_DrawContext& ctx) {
    const KV_Logic::Disk_Yellow::ConstView v{*ctx.cell};
    using S = KV_Logic::Disk_Yellow::State;
    KV_SpritePlan p = at_cell(ctx, SLOT_DISK_YELLOW);
    switch (v.state()) {
        case S::At_Rest:
        case S::Leaned_On: return p;
        case S::Pushed: {
            const double d = step_of(ctx, v.counter(), ctx.fraction);
            using P = KV_PushDirection;
            switch (P(v.push_direction())) {
                case P::Left: move_along(p, DIR_LEFT, d); return p;
                case P::Right: move_along(p, DIR_RIGHT, d); return p;
                case P::Up: move_along(p, DIR_UP, d); return p;
                case P::Down: move_along(p, DIR_DOWN, d); return p;
            }
            kv_fatal("KV_Visualisation::Disk_Yellow, do_pushing, unknown push direction ", v.push_direction());
        }
    }
    kv_fatal("KV_Visualisation::Disk_Yellow, unknown state");
}

KV_SpritePlan disk_red(const KV_DrawContext& ctx) {
    const KV_Logic::Disk_Red::ConstView v{*ctx.cell};
    using S = KV_Logic::Disk_Red::State;
    switch (v.state()) {
        case S::Lying:
        case S::Walked_Over:
        case S::Laid: return at_cell(ctx, SLOT_DISK_RED);
        case S::Eaten_In_Place: return at_cell(ctx, SLOT_DISK_RED, int(v.counter()));
    }
    kv_fatal("KV_Disk_Red_Visualisation, draw, unknown state ", uint16_t(v.state()));
}

KV_SpritePlan disk_orange(const KV_DrawContext& ctx) {
    const KV_Logic::Disk_Orange::ConstView v{*ctx.cell};
    using S = KV_Logic::Disk_Orange::State;
    KV_SpritePlan p = at_cell(ctx, SLOT_DISK_ORANGE);
    switch (v.state()) {
        case S::Falling: p.y += step_of(ctx, v.counter(), ctx.fraction) - kTile; return p;
        case S::Pushed:
            if (!pushed_sideways(ctx, p, v.push_direction(), v.counter(), ctx.fraction))
                kv_fatal("KV_Visualisation::Disk_Orange, do_pushing, unknown push direction ", v.push_direction());
            return p;
        case S::At_Rest:
        case S::About_To_Fall:
        case S::Leaned_On:
        case S::Fall_Step_Ended:
        case S::Push_Ended:
        case S::Lean_Broken_Off:
        case S::Landed: return p;
    }
    kv_fatal("KV_Visualisation::Disk_Orange, unknown state");
}

// The disk that grows down out of the cell under a pushed orange disk, shown
// only inside its own square.
KV_SpritePlan disk_orange_clone(const KV_DrawContext& ctx) {
    // The clone's counter is laid out as the orange disk's.
    const int k = int(KV_Logic::Disk_Orange::ConstView{*ctx.cell}.counter()) - 4;
    if (k < 1) return KV_SpritePlan{};
    KV_SpritePlan p = at_cell(ctx, SLOT_DISK_ORANGE);
    using S = KV_Logic::Disk_Orange_Clone::State;
    switch (KV_Logic::Disk_Orange_Clone::ConstView{*ctx.cell}.state()) {
        case S::Growing: p.y += step_of(ctx, k, ctx.fraction) - kTile; break;
        case S::Done: p.y += step_of(ctx, k, 0) - kTile; break;
        default: kv_fatal("KV_Visualisation::Disk_Orange, unknown state");
    }
    const int32_t x = cell_x(ctx), y = cell_y(ctx);
    return clipped(p, KV_ClipRect{x, y, x + kTile, y + kTile});
}

KV_SpritePlan explosion(const KV_DrawContext& ctx) {
    const KV_Logic::Explosion::ConstView v{*ctx.cell};
    const int frame = int(v.counter() / 4);
    using K = KV_ExplosionState;
    switch (v.kind()) {
        case K::Plain:
        case K::Delayed_Normal:
        case K::Delayed_Quarkel: return at_cell(ctx, SLOT_EXPLOSION, frame);
        case K::Plain_Quarkel: return at_cell(ctx, SLOT_EXPLODING_QUARKEL, frame);
    }
    kv_fatal("KV_Explosion_Visualisation, draw, unknown state");
}

KV_SpritePlan port(const KV_DrawContext& ctx) {
    using T = KV_ObjectType;
    switch (ctx.cell->object_type()) {
        case T::Port_U_To_D: return at_cell(ctx, SLOT_PORT_U_TO_D);
        case T::Port_D_To_U: return at_cell(ctx, SLOT_PORT_D_TO_U);
        case T::Port_L_To_R: return at_cell(ctx, SLOT_PORT_L_TO_R);
        case T::Port_R_To_L: return at_cell(ctx, SLOT_PORT_R_TO_L);
        case T::Port_Horizontal: return at_cell(ctx, SLOT_PORT_HORIZONTAL);
        case T::Port_Vertical: return at_cell(ctx, SLOT_PORT_VERTICAL);
        case T::Port_Cross: return at_cell(ctx, SLOT_PORT_CROSS);
        default: return KV_SpritePlan{};
    }
}

KV_SpritePlan gnarrow(const KV_DrawContext& ctx) {
    return enemy(ctx, SLOT_GNARROW, 7, "KV_Visualisation::Gnarrow, unknown direction",
                 "KV_Visualisation::Gnarrow, unknown state");
}

KV_SpritePlan electron(const KV_DrawContext& ctx) {
    return enemy(ctx, SLOT_ELECTRON, 4, "KV_Visualisation::Electron, unknown direction",
                 "KV_Visualisation::Electron, unknown state");
}

}  // namespace KV_DrawPlan
