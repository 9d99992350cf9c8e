#pragma once
// The field view of one level and the tables that drive it: one call of
// process() is one logic tick.
#include <array>
#include <memory>

#include "game/objects/object_context.h"
#include "game/play/draw_context.h"

using KV_LogicFn = void (*)(const KV_ObjectContext&);

// The one set-up of the rules: fills the prototype cells, the interface tables
// and the process and time-critical tables, once; later calls do nothing.
// Constructing a KV_Game and converting a level run it, so nothing can be
// asked of an object before its rules are in place.
void install_rules();
using KV_DrawFn = void (*)(const KV_DrawContext&);

class KV_Game {
public:
    KV_Game();

    void set_level(std::shared_ptr<KV_Level> level);
    std::shared_ptr<KV_Level> get_level() const { return level_; }

    // One logic tick: sound reset, process pass, flag clear, time-critical
    // pass, flag clear, then a used terminal arms the yellow disks.
    void process();

    // Camera: pixel offsets and the visible column and row range.
    struct Camera {
        int32_t x_offset = 0, y_offset = 0;
        int32_t first_col = 0, first_row = 0, end_col = 0, end_row = 0;
    };
    const Camera& camera() const { return camera_; }
    Camera& camera() { return camera_; }

    // Indexed by the cell's signed 16-bit type code; a code outside 0..255
    // reaches the default reporter.
    static std::array<KV_LogicFn, KV_TABLE_SIZE> process_table;
    static std::array<KV_LogicFn, KV_TABLE_SIZE> time_critical_table;
    static std::array<KV_DrawFn, KV_TABLE_SIZE> visualisation_table;

    static KV_LogicFn process_entry(int16_t type);
    static KV_LogicFn time_critical_entry(int16_t type);
    static KV_DrawFn visualisation_entry(int16_t type);

    // The default reporters, one per table.
    static void process_not_setup(const KV_ObjectContext& ctx);
    static void time_critical_not_setup(const KV_ObjectContext& ctx);
    static void visualisation_not_setup(const KV_DrawContext& ctx);

private:
    std::shared_ptr<KV_Level> level_;
    Camera camera_;
};
