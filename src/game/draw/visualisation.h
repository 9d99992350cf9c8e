#pragma once
// The objects' draw entries and their installation into the game's drawing
// table. The display side calls install_visualisation() once before the first
// frame; the game library itself never draws.
#include "game/play/draw_context.h"

struct KV_SpritePlan;

// Installs every object's draw entry and the window size the camera uses. Once.
void install_visualisation();

// Carries out a plan with the sprite manager's sprite: its frame, the clip
// rectangle around the draw when it has one. A slot without a sprite draws
// nothing. While a KV_SpriteBatch is open the plan is kept for its flush.
void kv_draw_plan(const KV_SpritePlan& plan, int layer);

// Collects the sprites of one picture of the field and hands them to ClanLib
// layer by layer, grouped by sprite within a layer. Every sprite change costs
// the renderer a pass over the whole frame, and a field drawn cell by cell
// changes sprite at nearly every cell. Within a layer no two objects' sprites
// overlap (a moving object covers only its own cell and the hidden
// placeholder it leaves), so the grouping changes no pixel; the layers keep
// their order. The draw entries are still called in the field's own order.
class KV_SpriteBatch {
public:
    KV_SpriteBatch();
    ~KV_SpriteBatch();  // drops what was not flushed (a fatal error mid-picture)
    KV_SpriteBatch(const KV_SpriteBatch&) = delete;
    KV_SpriteBatch& operator=(const KV_SpriteBatch&) = delete;
    void flush();
};

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
