#include "game/level/level.h"

KV_Level::KV_Level(int32_t width, int32_t height)
    : width_(width), height_(height), row_shift_(0), context_(new KV_LevelContext) {
    while ((int32_t(1) << row_shift_) < width_) ++row_shift_;
    const size_t cells = size_t(int32_t(1) << row_shift_) * size_t(height_ > 0 ? height_ : 0);
    for (auto& layer : layers_) layer.assign(cells, KV_Cell());
    touched_rows_.assign(size_t(height_ > 0 ? height_ : 0), uint8_t(1));
}

// The context goes first, then the layers, as the members are declared in reverse.
KV_Level::~KV_Level() = default;
