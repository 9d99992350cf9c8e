#pragma once
// The generic playing field: four layers of cells on a power-of-two row stride,
// the player's position and cell copy, and the run-time context. The field
// knows cells and type codes only; what the objects do lives above it.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

#include "game/level/level_context.h"
#include "game/level/cell.h"

class KV_Level;

// The four layers of the field, by what they hold; the tick runs them in this order.
enum KV_Layer : int {
    KV_LAYER_FLOOR = 0,     // empty in every converted level
    KV_LAYER_ITEMS = 1,     // what falls, rolls, is pushed, eaten or used: Base, Grobble, RAM,
                            // Quarkel, Exit, Terminal, the disks, Bug, Invisible_Wall and their placeholders
    KV_LAYER_MOVERS = 2,    // Pellik, Pellik_Static, the enemies and the temps they leave
    KV_LAYER_FIXTURES = 3,  // Hardware, the ports, fire and laid red disks
};
constexpr int KV_LAYER_COUNT = 4;

class KV_Level {
public:
    KV_Level(int32_t width, int32_t height);
    ~KV_Level();
    KV_Level(const KV_Level&) = delete;
    KV_Level& operator=(const KV_Level&) = delete;

    int32_t get_width() const { return width_; }
    int32_t get_height() const { return height_; }
    int32_t get_row_shift() const { return row_shift_; }
    int32_t get_stride() const { return int32_t(1) << row_shift_; }
    int32_t index(int32_t x, int32_t y) const { return (y << row_shift_) | x; }
    bool inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Neighbour reads outside the field are programming errors; debug builds catch them.
    // Writable access marks the row, so the tick's flag clears can pass over
    // rows that nothing has touched.
    KV_Cell& at(int layer, int32_t x, int32_t y) {
        assert(layer >= 0 && layer < KV_LAYER_COUNT && inside(x, y));
        touched_rows_[size_t(y)] = 1;
        return layers_[layer][size_t(index(x, y))];
    }
    const KV_Cell& at(int layer, int32_t x, int32_t y) const {
        assert(layer >= 0 && layer < KV_LAYER_COUNT && inside(x, y));
        return layers_[layer][size_t(index(x, y))];
    }
    KV_Cell* layer_data(int layer) {
        touch_all_rows();
        return layers_[layer].data();
    }
    const KV_Cell* layer_data(int layer) const { return layers_[layer].data(); }

    // True when no layer holds a solid cell at (x, y).
    bool is_cell_free(int32_t x, int32_t y) const {
        for (int l = 0; l < KV_LAYER_COUNT; ++l)
            if (at(l, x, y).is_solid()) return false;
        return true;
    }

    // Rows written since the tick last cleared them (see KV_Game::process).
    bool row_touched(int32_t y) const { return touched_rows_[size_t(y)] != 0; }
    void touch_row(int32_t y) {
        if (y >= 0 && y < height_) touched_rows_[size_t(y)] = 1;
    }
    void touch_all_rows() { std::fill(touched_rows_.begin(), touched_rows_.end(), uint8_t(1)); }
    void untouch_all_rows() { std::fill(touched_rows_.begin(), touched_rows_.end(), uint8_t(0)); }
    // The layer's cells without marking any row: for the tick's own scan.
    KV_Cell* scan_data(int layer) { return layers_[layer].data(); }

    int32_t get_player_x() const { return player_x_; }
    int32_t get_player_y() const { return player_y_; }
    void set_player_pos(int32_t x, int32_t y) {
        player_x_ = x;
        player_y_ = y;
    }
    KV_Cell* get_player_cell() { return &player_cell_; }
    const KV_Cell* get_player_cell() const { return &player_cell_; }
    bool get_has_player() const { return has_player_; }
    void set_has_player(bool v) { has_player_ = v; }

    KV_LevelContext* get_context() { return context_.get(); }
    int32_t* get_input() { return context_->get_input(); }
    void set_status(const KV_LevelStatus& s) { *context_->get_status() = s; }
    KV_LevelStatus* get_status() { return context_->get_status(); }
    KV_SoundEvents* get_sound_events() { return context_->get_sound_events(); }
    void set_random_seed(uint32_t s) { context_->seed(s); }
    int random() { return context_->random(); }
    uint32_t get_random_seed() const { return context_->get_random_seed(); }

    // Loud or quiet sounds, and the bug's sparks, depend on nearness to the player.
    bool is_near_player(int32_t x, int32_t y) const { return near(x, y, 10, 7); }
    bool is_near_player_1(int32_t x, int32_t y) const { return near(x, y, 1, 1); }
    bool is_near_player_2(int32_t x, int32_t y) const { return near(x, y, 2, 2); }

private:
    bool near(int32_t x, int32_t y, int32_t dx, int32_t dy) const {
        int32_t ax = x - player_x_, ay = y - player_y_;
        return (ax < 0 ? -ax : ax) <= dx && (ay < 0 ? -ay : ay) <= dy;
    }

    std::vector<KV_Cell> layers_[KV_LAYER_COUNT];
    std::vector<uint8_t> touched_rows_;
    int32_t width_;
    int32_t height_;
    int32_t row_shift_;
    int32_t player_x_ = 0;
    int32_t player_y_ = 0;
    KV_Cell player_cell_;
    bool has_player_ = false;
    std::unique_ptr<KV_LevelContext> context_;
};
