#pragma once
// What every per-type draw function receives. Plain data, so the game logic
// can hold the drawing table without any display header.
#include <cstdint>

struct KV_Cell;

struct KV_DrawContext {
    int32_t first_col, first_row, end_col, end_row; // visible range of the view
    int32_t x_offset, y_offset;                     // pixel offset of the view
    int32_t x, y;                                   // the cell's position
    const KV_Cell* cell;
    int32_t layer;                                  // 0..3
    float fraction;                                 // sub-tick progress 0..1
    float pixels_per_tick;
};
