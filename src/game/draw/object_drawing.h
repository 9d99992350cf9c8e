#pragma once
// What each object draws for its cell: the sprite slot, its frame, the pixel
// position with the object's motion, and the clip rectangle of the cells that
// draw only part of themselves. Pure arithmetic over the cell and the camera,
// so it is tested without a window; the display layer only carries it out.
// Every impossible state is refused here, before anything is drawn or clipped.
#include <cstdint>

#include "game/play/draw_context.h"

struct KV_ClipRect {
    int32_t x1, y1, x2, y2;  // x2, y2 exclusive
};

struct KV_SpritePlan {
    int slot = -1;  // -1: nothing drawn
    int frame = 0;
    double x = 0, y = 0;
    bool clipped = false;
    KV_ClipRect clip{};

    bool draws() const { return slot >= 0; }
};

namespace KV_DrawPlan {

// The cell's top-left corner on the screen, before any motion.
int32_t cell_x(const KV_DrawContext& ctx);
int32_t cell_y(const KV_DrawContext& ctx);

KV_SpritePlan hardware(const KV_DrawContext& ctx);
KV_SpritePlan pellik(const KV_DrawContext& ctx);
KV_SpritePlan pellik_static(const KV_DrawContext& ctx);
KV_SpritePlan base(const KV_DrawContext& ctx);
KV_SpritePlan bug(const KV_DrawContext& ctx);
KV_SpritePlan grobble(const KV_DrawContext& ctx);
KV_SpritePlan grobble_clone(const KV_DrawContext& ctx);
KV_SpritePlan quarkel(const KV_DrawContext& ctx);
KV_SpritePlan ram(const KV_DrawContext& ctx);
KV_SpritePlan exit(const KV_DrawContext& ctx);
KV_SpritePlan terminal(const KV_DrawContext& ctx);
KV_SpritePlan disk_yellow(const KV_DrawContext& ctx);
KV_SpritePlan disk_red(const KV_DrawContext& ctx);
KV_SpritePlan disk_orange(const KV_DrawContext& ctx);
KV_SpritePlan disk_orange_clone(const KV_DrawContext& ctx);
KV_SpritePlan explosion(const KV_DrawContext& ctx);
KV_SpritePlan port(const KV_DrawContext& ctx);  // any of the seven, by the cell's type
KV_SpritePlan gnarrow(const KV_DrawContext& ctx);
KV_SpritePlan electron(const KV_DrawContext& ctx);

}  // namespace KV_DrawPlan
