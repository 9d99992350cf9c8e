#include "game/play/game.h"

#include <cstdio>
#include <cstdlib>

#include "game/objects/fatal.h"
#include "game/objects/interfaces.h"
#include "game/objects/logic.h"
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
