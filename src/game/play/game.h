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

    // The cells drawn: columns [col_begin, col_end), rows [row_begin, row_end).
    struct ViewRange {
        int32_t col_begin, col_end, row_begin, row_end;
    };

    // The camera that keeps the player figure, sub-tick step included, in the
    // middle of a field area of width x height pixels (the window less the HUD
    // band), edges aligned near the level's edges. Without a player the stored
    // camera stays.
    static Camera follow(const Camera& stored, const KV_Level& level, int32_t width, int32_t height,
                         double fraction);
    // The camera's range with its margins, never outside the field.
    static ViewRange visible_range(const Camera& camera, const KV_Level& level);

    // Moves the camera and calls every visible, non-hidden cell's draw entry,
    // layer by layer. The caller clips away the HUD band.
    void draw(double fraction, double pixels_per_tick);
    // The same into a field area of the given size; draw() asks display_size.
    void draw_view(int32_t width, int32_t height, double fraction, double pixels_per_tick);

    // The window's size; the display side installs its own. Without one the
    // game draws as into the game's 800 x 600 window.
    using DisplaySizeFn = void (*)(int32_t& width, int32_t& height);
    static DisplaySizeFn display_size;
    // The band under the field that the HUD's two rows fill.
    static constexpr int32_t HUD_HEIGHT = 40;

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
