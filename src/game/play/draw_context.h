#pragma once
// What every per-type draw function receives. Plain data, so the game logic
// can hold the drawing table without any display header.
#include <cstdint>

struct KV_Cell;

struct KV_DrawContext {
    int32_t x, y;                    // the cell's position
    int32_t first_col, first_row;    // camera: first drawn column and row, possibly negative
    int32_t end_col, end_row;        // camera: end column and row
    int32_t x_offset, y_offset;      // camera: pixel offset of the view
    const KV_Cell* cell;
    int32_t layer;                   // 0..3
    double fraction;                 // sub-tick offset in pixels, 0 <= fraction < 2
    double pixels_per_tick;          // how far a step moves in one logic tick; the game draws with 2.0
};
