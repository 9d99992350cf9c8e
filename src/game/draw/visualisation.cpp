#include "game/draw/visualisation.h"

#include <ClanLib/Display/display.h>
#include <ClanLib/Display/sprite.h>

#include <algorithm>
#include <vector>

#include "game/draw/object_drawing.h"
#include "game/draw/sprite_manager.h"
#include "game/play/game.h"

namespace {

struct Queued {
    int layer;
    size_t seq;
    KV_SpritePlan plan;
};
// The open batch's sprites; reused from picture to picture.
std::vector<Queued>* g_batch = nullptr;

void draw_now(const KV_SpritePlan& plan, CL_Sprite* sprite) {
    sprite->set_frame(unsigned(plan.frame < 0 ? 0 : plan.frame));
    if (!plan.clipped) {
        sprite->draw(float(plan.x), float(plan.y));
        return;
    }
    CL_Display::push_cliprect(CL_Rect(plan.clip.x1, plan.clip.y1, plan.clip.x2, plan.clip.y2));
    try {
        sprite->draw(float(plan.x), float(plan.y));
    } catch (...) {
        CL_Display::pop_cliprect();
        throw;
    }
    CL_Display::pop_cliprect();
}

}  // namespace

void kv_draw_plan(const KV_SpritePlan& plan, int layer) {
    if (!plan.draws()) return;
    CL_Sprite* sprite = KV_SpriteManager::get_sprite(plan.slot);
    if (!sprite) return;
    if (g_batch)
        g_batch->push_back({layer, g_batch->size(), plan});
    else
        draw_now(plan, sprite);
}

KV_SpriteBatch::KV_SpriteBatch() {
    static std::vector<Queued> storage;
    storage.clear();
    g_batch = &storage;
}

KV_SpriteBatch::~KV_SpriteBatch() {
    g_batch->clear();
    g_batch = nullptr;
}

void KV_SpriteBatch::flush() {
    std::vector<Queued>& q = *g_batch;
    std::sort(q.begin(), q.end(), [](const Queued& a, const Queued& b) {
        if (a.layer != b.layer) return a.layer < b.layer;
        return a.plan.slot != b.plan.slot ? a.plan.slot < b.plan.slot : a.seq < b.seq;
    });
    for (const Queued& e : q) draw_now(e.plan, KV_SpriteManager::get_sprite(e.plan.slot));
    q.clear();
}

#define KV_DRAW_BY(Scope, plan) \
    void Scope::draw(const KV_DrawContext& ctx) { kv_draw_plan(KV_DrawPlan::plan(ctx), ctx.layer); }
KV_DRAW_BY(KV_Visualisation::Hardware, hardware)
KV_DRAW_BY(KV_Visualisation::Pellik, pellik)
KV_DRAW_BY(KV_Visualisation::Pellik_Static, pellik_static)
KV_DRAW_BY(KV_Visualisation::Base, base)
KV_DRAW_BY(KV_Visualisation::Bug, bug)
KV_DRAW_BY(KV_Visualisation::Grobble, grobble)
KV_DRAW_BY(KV_Visualisation::Grobble_Clone, grobble_clone)
KV_DRAW_BY(KV_Visualisation::Quarkel, quarkel)
KV_DRAW_BY(KV_Visualisation::RAM, ram)
KV_DRAW_BY(KV_Visualisation::Disk_Yellow, disk_yellow)
KV_DRAW_BY(KV_Visualisation::Disk_Red, disk_red)
KV_DRAW_BY(KV_Visualisation::Disk_Orange, disk_orange)
KV_DRAW_BY(KV_Visualisation::Disk_Orange_Clone, disk_orange_clone)
KV_DRAW_BY(KV_Visualisation::Explosion, explosion)
KV_DRAW_BY(KV_Visualisation::Port, port)
KV_DRAW_BY(KV_Visualisation::Gnarrow, gnarrow)
KV_DRAW_BY(KV_Visualisation::Electron, electron)
KV_DRAW_BY(KV_Exit_Visualisation, exit)
KV_DRAW_BY(KV_Terminal_Visualisation, terminal)
#undef KV_DRAW_BY

namespace {

void window_size(int32_t& width, int32_t& height) {
    width = CL_Display::get_width();
    height = CL_Display::get_height();
}

}  // namespace

void install_visualisation() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    using T = KV_ObjectType;
    auto set = [](T t, KV_DrawFn f) { KV_Game::visualisation_table[type_code(t)] = f; };
    namespace V = KV_Visualisation;
    set(T::Hardware, &V::Hardware::draw);
    set(T::Pellik, &V::Pellik::draw);
    set(T::Base, &V::Base::draw);
    set(T::Grobble, &V::Grobble::draw);
    set(T::RAM, &V::RAM::draw);
    set(T::Quarkel, &V::Quarkel::draw);
    set(T::Grobble_Clone, &V::Grobble_Clone::draw);
    set(T::Exit, &KV_Exit_Visualisation::draw);
    set(T::Terminal, &KV_Terminal_Visualisation::draw);
    set(T::Disk_Yellow, &V::Disk_Yellow::draw);
    set(T::Disk_Red, &V::Disk_Red::draw);
    set(T::Disk_Orange, &V::Disk_Orange::draw);
    set(T::Disk_Orange_Clone, &V::Disk_Orange_Clone::draw);
    set(T::Explosion, &V::Explosion::draw);
    set(T::Bug, &V::Bug::draw);
    for (T port : {T::Port_U_To_D, T::Port_D_To_U, T::Port_L_To_R, T::Port_R_To_L, T::Port_Horizontal,
                   T::Port_Vertical, T::Port_Cross})
        set(port, &V::Port::draw);
    set(T::Gnarrow, &V::Gnarrow::draw);
    set(T::Electron, &V::Electron::draw);
    set(T::Pellik_Static, &V::Pellik_Static::draw);
    KV_Game::display_size = &window_size;
}
