#include "game/play/game.h"

#include <cstdio>
#include <cstdlib>

#include "game/objects/fatal.h"
#include "game/objects/interfaces.h"
#include "game/objects/logic.h"
#include "game/objects/pellik.h"
#include "game/objects/prototypes.h"

namespace {

template <typename Fn>
std::array<Fn, KV_TABLE_SIZE> filled(Fn f) {
    std::array<Fn, KV_TABLE_SIZE> t;
    t.fill(f);
    return t;
}

// "pos = " shows the column, then the row.
std::string reporter_text(const char* table, int type, int x, int y) {
    return std::string(table) + "name = " + std::to_string(type) + ", pos = " + std::to_string(x) +
           ", " + std::to_string(y);
}

#ifndef NDEBUG
// The row skip below rests on a promise (see touch_around); debug and
// sanitizer builds hold every tick to it.
void check_no_done_left(const KV_Level& level) {
    for (int l = 0; l < KV_LAYER_COUNT; ++l)
        for (int32_t y = 0; y < level.get_height(); ++y)
            for (int32_t x = 0; x < level.get_width(); ++x)
                if (level.at(l, x, y).has(CF_DONE)) {
                    std::fprintf(stderr,
                                 "done flag left after the clear in layer %d at (%d, %d): an entry wrote more "
                                 "than two rows away without KV_Level::at\n",
                                 l, int(x), int(y));
                    std::abort();
                }
}
#endif

// Clears the done flag in every cell of every layer. A row that nothing wrote
// since the last clear holds no done flag, so only touched rows are swept;
// the result is the same as sweeping the whole field.
void clear_done(KV_Level& level) {
    const int32_t w = level.get_width(), h = level.get_height();
    for (int32_t y = 0; y < h; ++y) {
        if (!level.row_touched(y)) continue;
        for (int l = 0; l < KV_LAYER_COUNT; ++l) {
            KV_Cell* row = level.scan_data(l) + level.index(0, y);
            for (int32_t x = 0; x < w; ++x) row[x].flags &= ~uint32_t(CF_DONE);
        }
    }
    level.untouch_all_rows();
#ifndef NDEBUG
    check_no_done_left(level);
#endif
}

// An object function may write its own cell and its neighbours up to two rows
// away through the cell pointer it is given (a port passage moves two cells);
// farther writes go through KV_Level::at, which marks its row itself.
void touch_around(KV_Level& level, int32_t y) {
    for (int32_t r = y - 2; r <= y + 2; ++r) level.touch_row(r);
}

}  // namespace

std::array<KV_LogicFn, KV_TABLE_SIZE> KV_Game::process_table = filled<KV_LogicFn>(&KV_Game::process_not_setup);
std::array<KV_LogicFn, KV_TABLE_SIZE> KV_Game::time_critical_table =
    filled<KV_LogicFn>(&KV_Game::time_critical_not_setup);
std::array<KV_DrawFn, KV_TABLE_SIZE> KV_Game::visualisation_table =
    filled<KV_DrawFn>(&KV_Game::visualisation_not_setup);

void KV_Game::process_not_setup(const KV_ObjectContext& c) {
    kv_fatal(reporter_text("process function not setuped for object: ", c.cell->type_index(), c.x, c.y));
}
void KV_Game::time_critical_not_setup(const KV_ObjectContext& c) {
    kv_fatal(reporter_text("time critical function not setuped for object: ", c.cell->type_index(), c.x,
                           c.y));
}
void KV_Game::visualisation_not_setup(const KV_DrawContext& c) {
    kv_fatal(reporter_text("visualisation function not setuped for object: ", c.cell->type_index(), c.x,
                           c.y));
}

KV_LogicFn KV_Game::process_entry(int16_t type) {
    return (type >= 0 && type < KV_TABLE_SIZE) ? process_table[size_t(type)] : &process_not_setup;
}
KV_LogicFn KV_Game::time_critical_entry(int16_t type) {
    return (type >= 0 && type < KV_TABLE_SIZE) ? time_critical_table[size_t(type)] : &time_critical_not_setup;
}
KV_DrawFn KV_Game::visualisation_entry(int16_t type) {
    return (type >= 0 && type < KV_TABLE_SIZE) ? visualisation_table[size_t(type)] : &visualisation_not_setup;
}

void install_rules() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    KV_Logic::init_prototypes();
    namespace I = KV_Interfaces;
    I::IEatable::register_entries();
    I::register_roll_off();
    I::register_sliding_tests();
    I::IPushing::register_entries();
    I::Explodeable::register_entries();
    I::Port::register_entries();
    I::register_exit_terminal();
    I::register_danger();
    I::tables_filled = true;

    using T = KV_ObjectType;
    auto both = [](T t, KV_LogicFn p, KV_LogicFn tc) {
        KV_Game::process_table[type_code(t)] = p;
        if (tc) KV_Game::time_critical_table[type_code(t)] = tc;
    };
    namespace L = KV_Logic;
    both(T::Pellik, &L::Pellik::process, &L::Pellik::time_critical);
    both(T::Base, &L::Base::process, nullptr);
    both(T::Grobble, &L::Grobble::process, &L::Grobble::time_critical);
    both(T::Quarkel, &L::Quarkel::process, &L::Quarkel::time_critical);
    both(T::Grobble_Clone, &L::Grobble_Clone::process, nullptr);
    both(T::Exit, &L::Exit::process, nullptr);
    both(T::Terminal, &L::Terminal::process, nullptr);
    both(T::Disk_Yellow, &L::Disk_Yellow::process, nullptr);
    both(T::Disk_Yellow_Push_Temp, &L::Disk_Yellow_Push_Temp::process, nullptr);
    both(T::Disk_Red, &L::Disk_Red::process, nullptr);
    both(T::Disk_Orange, &L::Disk_Orange::process, &L::Disk_Orange::time_critical);
    both(T::Disk_Orange_Fall_Temp, &L::Disk_Orange_Fall_Temp::process, nullptr);
    both(T::Disk_Orange_Push_Temp, &L::Disk_Orange_Push_Temp::process, nullptr);
    both(T::Disk_Orange_Clone, &L::Disk_Orange_Clone::process, nullptr);
    both(T::Explosion, &L::Explosion::process, nullptr);
    both(T::Bug, &L::Bug::process, nullptr);
    both(T::Gnarrow, &L::Gnarrow::process, &L::Gnarrow::time_critical);
    both(T::Electron, &L::Electron::process, &L::Electron::time_critical);
}

KV_Game::KV_Game() { install_rules(); }

void KV_Game::set_level(std::shared_ptr<KV_Level> level) {
    level_ = std::move(level);
    camera_ = Camera();
}

void KV_Game::process() {
    KV_Level& level = *level_;
    const int32_t w = level.get_width(), h = level.get_height();
    level.get_sound_events()->reset();

    for (int l = 0; l < KV_LAYER_COUNT; ++l) {
        KV_Cell* layer = level.scan_data(l);
        for (int32_t y = 0; y < h; ++y) {
            KV_Cell* row = layer + level.index(0, y);
            for (int32_t x = 0; x < w; ++x) {
                // Flags are read when the scan reaches the cell, so an earlier
                // call's change is seen in its new form.
                const uint32_t flags = row[x].flags;
                if (flags & CF_PROCESS_SKIP) {
                    if (flags & CF_DONE) level.touch_row(y);
                    continue;
                }
                touch_around(level, y);
                process_entry(row[x].type_index())(KV_ObjectContext{x, y, &level, &row[x]});
            }
        }
    }
    clear_done(level);

    for (int l = 0; l < KV_LAYER_COUNT; ++l) {
        KV_Cell* layer = level.scan_data(l);
        for (int32_t y = 0; y < h; ++y) {
            KV_Cell* row = layer + level.index(0, y);
            for (int32_t x = 0; x < w; ++x) {
                const uint32_t flags = row[x].flags;
                if ((flags & (CF_DONE | CF_TIME_CRITICAL)) != CF_TIME_CRITICAL) {
                    if (flags & CF_DONE) level.touch_row(y);
                    continue;
                }
                touch_around(level, y);
                time_critical_entry(row[x].type_index())(KV_ObjectContext{x, y, &level, &row[x]});
            }
        }
    }
    clear_done(level);

    KV_LevelStatus* status = level.get_status();
    if (status->get_terminal_used()) status->set_yellow_armed();
}

namespace {

constexpr int32_t kTile = 32;

struct Axis {
    int32_t offset, first, end;
};

// One axis of the camera: view pixels, level cells, the player's cell and
// pixel position along it, and whether a step towards the low end has begun.
Axis follow_axis(int32_t view, int32_t cells, int32_t cell, int32_t pixel, bool back_step) {
    if (view >= cells * kTile) return {view / 2 - (cells * kTile) / 2, 0, cells};
    const int32_t centre = view / 2 - 16;
    Axis a{};
    if (pixel < centre) {
        a.offset = 0;
        a.first = 0;
    } else if (pixel <= cells * kTile - view + centre) {
        a.offset = centre % kTile - pixel % kTile - 96;
        a.first = cell - centre / kTile - 3 - (back_step ? 1 : 0);
    } else {
        a.offset = view % kTile - 96;
        a.first = cells - view / kTile - 3;
    }
    a.end = view / kTile + a.first + 6;
    return a;
}

int32_t clamp_to(int32_t v, int32_t hi) { return v < 0 ? 0 : (v > hi ? hi : v); }

void default_display_size(int32_t& width, int32_t& height) {
    width = 800;
    height = 600;
}

}  // namespace

KV_Game::DisplaySizeFn KV_Game::display_size = &default_display_size;

KV_Game::Camera KV_Game::follow(const Camera& stored, const KV_Level& level, int32_t width, int32_t height,
                                double fraction) {
    if (!level.get_has_player()) return stored;
    const KV_Logic::Pellik::ConstView pellik{*level.get_player_cell()};
    int32_t pc = level.get_player_x(), pr = level.get_player_y();
    int32_t dx = 0, dy = 0;
    bool left_step = false, up_step = false;
    if (pellik.in_any({KV_PellikState::Moving, KV_PellikState::Over_Eating, KV_PellikState::Pushing})) {
        const double d = pellik.counter() * 2 + fraction;
        const int32_t step = int32_t(d);  // toward zero
        const bool begun = pellik.counter() != 0 || int32_t(fraction) != 0;
        switch (pellik.direction()) {
            case DIR_LEFT: pc += 1; dx = -step; left_step = begun; break;
            case DIR_UP: pr += 1; dy = -step; up_step = begun; break;
            case DIR_RIGHT: pc -= 1; dx = step; break;
            case DIR_DOWN: pr -= 1; dy = step; break;
            default: kv_fatal("KV_Game::draw, unknown pellik direction");
        }
    }
    const Axis h = follow_axis(width, level.get_width(), pc, pc * kTile + dx, left_step);
    const Axis v = follow_axis(height, level.get_height(), pr, pr * kTile + dy, up_step);
    return Camera{h.offset, v.offset, h.first, v.first, h.end, v.end};
}

KV_Game::ViewRange KV_Game::visible_range(const Camera& c, const KV_Level& level) {
    const int32_t w = level.get_width(), h = level.get_height();
    return ViewRange{clamp_to(c.first_col, w), clamp_to(c.end_col + 1, w), clamp_to(c.first_row, h),
                     clamp_to(c.end_row + 1, h)};
}

void KV_Game::draw(double fraction, double pixels_per_tick) {
    int32_t width = 0, height = 0;
    display_size(width, height);
    draw_view(width, height - HUD_HEIGHT, fraction, pixels_per_tick);
}

void KV_Game::draw_view(int32_t width, int32_t height, double fraction, double pixels_per_tick) {
    if (!level_) return;
    KV_Level& level = *level_;
    camera_ = follow(camera_, level, width, height, fraction);
    const ViewRange r = visible_range(camera_, level);
    KV_DrawContext ctx{0,        0,       camera_.first_col, camera_.first_row, camera_.end_col,
                       camera_.end_row,   camera_.x_offset,  camera_.y_offset,  nullptr,
                       0,        fraction, pixels_per_tick};
    for (int l = 0; l < KV_LAYER_COUNT; ++l) {
        const KV_Cell* layer = level.scan_data(l);
        ctx.layer = l;
        for (int32_t y = r.row_begin; y < r.row_end; ++y)
            for (int32_t x = r.col_begin; x < r.col_end; ++x) {
                const KV_Cell& cell = layer[level.index(x, y)];
                if (cell.flags & CF_HIDDEN) continue;
                ctx.x = x;
                ctx.y = y;
                ctx.cell = &cell;
                visualisation_entry(cell.type_index())(ctx);
            }
    }
}
