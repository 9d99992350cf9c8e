#pragma once
// The objects' draw entries and their installation into the game's drawing
// table. The display side calls install_visualisation() once before the first
// frame; the game library itself never draws.
#include "game/play/draw_context.h"

struct KV_SpritePlan;

// Installs every object's draw entry and the window size the camera uses. Once.
void install_visualisation();

// Carries out a plan with the sprite manager's sprite: its frame, the clip
// rectangle around the draw when it has one. A slot without a sprite draws nothing.
void kv_draw_plan(const KV_SpritePlan& plan);

namespace KV_Visualisation {
#define KV_DRAW_ENTRY(Object) \
    namespace Object {        \
    void draw(const KV_DrawContext& ctx); \
    }
KV_DRAW_ENTRY(Hardware)
KV_DRAW_ENTRY(Pellik)
KV_DRAW_ENTRY(Pellik_Static)
KV_DRAW_ENTRY(Base)
KV_DRAW_ENTRY(Bug)
KV_DRAW_ENTRY(Grobble)
KV_DRAW_ENTRY(Grobble_Clone)
KV_DRAW_ENTRY(Quarkel)
KV_DRAW_ENTRY(RAM)
KV_DRAW_ENTRY(Disk_Yellow)
KV_DRAW_ENTRY(Disk_Red)
KV_DRAW_ENTRY(Disk_Orange)
KV_DRAW_ENTRY(Disk_Orange_Clone)
KV_DRAW_ENTRY(Explosion)
KV_DRAW_ENTRY(Port)
KV_DRAW_ENTRY(Gnarrow)
KV_DRAW_ENTRY(Electron)
#undef KV_DRAW_ENTRY
}  // namespace KV_Visualisation

namespace KV_Exit_Visualisation {
void draw(const KV_DrawContext& ctx);
}
namespace KV_Terminal_Visualisation {
void draw(const KV_DrawContext& ctx);
}
