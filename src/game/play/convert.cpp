// A level object becomes the playing field: which object each tile code
// becomes and in which layer, the player start, the special ports, the bug
// rule and the level's starting status.
#include <array>

#include "foundation/log.h"
#include "game/level/level.h"
#include "game/level/level_base.h"
#include "game/level/level_record.h"
#include "game/objects/ports.h"
#include "game/objects/prototypes.h"
#include "game/objects/small_objects.h"
#include "game/play/game.h"

namespace {

using T = KV_ObjectType;

constexpr int NO_LAYER = -1;
constexpr int NO_VARIANT = -1;

// What a tile code puts on the field. The player tile (3) is handled apart
// because only its first occurrence is the player.
struct TileObject {
    int layer = NO_LAYER;
    T type = T::Empty;
    int variant = NO_VARIANT;  // state word (sprite frame) of RAM and Hardware
};

std::array<TileObject, 256> build_tile_table() {
    std::array<TileObject, 256> t{};
    auto put = [&t](int code, int layer, T type, int variant = NO_VARIANT) { t[size_t(code)] = {layer, type, variant}; };
    put(KV_TILE_GROBBLE, KV_LAYER_ITEMS, T::Grobble);
    put(KV_TILE_BASE, KV_LAYER_ITEMS, T::Base);
    put(KV_TILE_QUARKEL, KV_LAYER_ITEMS, T::Quarkel);
    put(KV_TILE_RAM, KV_LAYER_ITEMS, T::RAM, 0);
    put(KV_TILE_HARDWARE, KV_LAYER_FIXTURES, T::Hardware, 0);
    put(KV_TILE_EXIT, KV_LAYER_ITEMS, T::Exit);
    put(KV_TILE_DISK_ORANGE, KV_LAYER_ITEMS, T::Disk_Orange);
    put(KV_TILE_PORT_L_TO_R, KV_LAYER_FIXTURES, T::Port_L_To_R);
    put(KV_TILE_PORT_U_TO_D, KV_LAYER_FIXTURES, T::Port_U_To_D);
    put(KV_TILE_PORT_R_TO_L, KV_LAYER_FIXTURES, T::Port_R_To_L);
    put(KV_TILE_PORT_D_TO_U, KV_LAYER_FIXTURES, T::Port_D_To_U);
    put(KV_TILE_SPECIAL_L_TO_R, KV_LAYER_FIXTURES, T::Port_L_To_R);
    put(KV_TILE_SPECIAL_U_TO_D, KV_LAYER_FIXTURES, T::Port_U_To_D);
    put(KV_TILE_SPECIAL_R_TO_L, KV_LAYER_FIXTURES, T::Port_R_To_L);
    put(KV_TILE_SPECIAL_D_TO_U, KV_LAYER_FIXTURES, T::Port_D_To_U);
    put(KV_TILE_GNARROW, KV_LAYER_MOVERS, T::Gnarrow);
    put(KV_TILE_DISK_YELLOW, KV_LAYER_ITEMS, T::Disk_Yellow);
    put(KV_TILE_TERMINAL, KV_LAYER_ITEMS, T::Terminal);
    put(KV_TILE_DISK_RED, KV_LAYER_ITEMS, T::Disk_Red);
    put(KV_TILE_PORT_VERTICAL, KV_LAYER_FIXTURES, T::Port_Vertical);
    put(KV_TILE_PORT_HORIZONTAL, KV_LAYER_FIXTURES, T::Port_Horizontal);
    put(KV_TILE_PORT_CROSS, KV_LAYER_FIXTURES, T::Port_Cross);
    put(KV_TILE_ELECTRON, KV_LAYER_MOVERS, T::Electron);
    put(KV_TILE_BUG, KV_LAYER_ITEMS, T::Bug);
    put(KV_TILE_RAM_1, KV_LAYER_ITEMS, T::RAM, 1);
    put(KV_TILE_RAM_2, KV_LAYER_ITEMS, T::RAM, 2);
    for (int code = KV_TILE_HARDWARE_1; code <= KV_TILE_HARDWARE_10; ++code)
        put(code, KV_LAYER_FIXTURES, T::Hardware, code - KV_TILE_HARDWARE_1 + 1);
    put(KV_TILE_RAM_3, KV_LAYER_ITEMS, T::RAM, 3);
    put(KV_TILE_RAM_4, KV_LAYER_ITEMS, T::RAM, 4);
    put(KV_TILE_INVISIBLE_WALL, KV_LAYER_ITEMS, T::Invisible_Wall);
    return t;
}

const std::array<TileObject, 256>& tile_table() {
    static const std::array<TileObject, 256> table = build_tile_table();
    return table;
}

bool is_switchable_port(int code) { return code >= KV_TILE_SPECIAL_L_TO_R && code <= KV_TILE_SPECIAL_D_TO_U; }

void set_object(KV_Cell& cell, const TileObject& obj) {
    KV_Logic::set_cell(cell, obj.type);
    if (obj.variant != NO_VARIANT) KV_Logic::Wall::View{cell}.set_variant(uint16_t(obj.variant));
}

}  // namespace

std::shared_ptr<KV_Level> KV_TorvaneLevelBase::ConvertToGenericLevel(const KV_TorvaneLevelBase* source) {
    if (!source) return nullptr;
    const int32_t w = source->GetWidth(), h = source->GetHeight();
    // GetTile has no bounds check of its own: a level whose tiles do not cover
    // the field is refused rather than read past its bytes.
    if (w < 0 || h < 0 || source->GetTileCount() < size_t(w) * size_t(h)) return nullptr;

    auto level = std::make_shared<KV_Level>(w, h);
    install_rules();

    const bool unpredictable = source->IsBugUnpredictable();
    if (Qx::g_log.is_enabled()) {
        Qx::g_log.debug("{KV_TorvaneLevelBase::ConvertToGenericLevel} ");
        Qx::g_log.debug(unpredictable ? "Unpredictable Bug behavior\n" : "Predictable Bug behavior\n");
    }

    const auto& table = tile_table();
    KV_LevelStatus& status = *level->get_status();

    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) KV_Logic::set_cell(level->at(KV_LAYER_FLOOR, x, y), T::Empty);

    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const int code = source->GetTile(x, y);
            const TileObject& obj = table[size_t(code & 0xff)];
            KV_Cell& cell = level->at(KV_LAYER_ITEMS, x, y);
            if (obj.layer != KV_LAYER_ITEMS) {
                KV_Logic::set_cell(cell, T::Empty);
                continue;
            }
            set_object(cell, obj);
            if (code == KV_TILE_QUARKEL) status.inc_quarkels_present();
            if (code == KV_TILE_BUG && unpredictable) KV_Logic::Bug::View{cell}.set_unpredictable();
        }

    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const int code = source->GetTile(x, y);
            KV_Cell& cell = level->at(KV_LAYER_MOVERS, x, y);
            if (code == KV_TILE_PLAYER) {
                if (!level->get_has_player()) {
                    KV_Logic::set_cell(cell, T::Pellik);
                    level->set_player_pos(x, y);
                    *level->get_player_cell() = cell;
                    level->set_has_player(true);
                } else {
                    KV_Logic::set_cell(cell, T::Pellik_Static);
                }
                continue;
            }
            const TileObject& obj = table[size_t(code & 0xff)];
            if (obj.layer == KV_LAYER_MOVERS) set_object(cell, obj);
            else KV_Logic::set_cell(cell, T::Empty);
        }

    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const TileObject& obj = table[size_t(source->GetTile(x, y) & 0xff)];
            KV_Cell& cell = level->at(KV_LAYER_FIXTURES, x, y);
            if (obj.layer == KV_LAYER_FIXTURES) set_object(cell, obj);
            else KV_Logic::set_cell(cell, T::Empty);
        }

    for (const KV_SpecialPort& port : source->GetSpecialPorts()) {
        // The outer ring and anything beyond the field are skipped before the tile is read.
        if (port.x <= 0 || port.x >= w || port.y <= 0 || port.y >= h) continue;
        if (!is_switchable_port(source->GetTile(port.x, port.y))) continue;
        KV_PortView p{level->at(KV_LAYER_FIXTURES, port.x, port.y)};
        p.set_special();
        uint32_t bits = p.switches();
        if (port.gravity) bits |= PORT_SWITCH_GRAVITY;
        if (port.freeze_grobbles) bits |= PORT_SWITCH_FREEZE_GROBBLES;
        if (port.freeze_enemies) bits |= PORT_SWITCH_FREEZE_ENEMIES;
        p.set_switches(bits);
    }

    for (int l = 0; l < KV_LAYER_COUNT; ++l)
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) level->at(l, x, y).flags |= CF_DONE;

    status.set_quarkels_needed(source->GetQuarkelsNeeded());
    if (source->GetGravity()) status.set_gravity();
    if (source->GetFreezeGrobbles()) status.set_freeze_grobbles();
    return level;
}
