#include "game/objects/prototypes.h"

namespace KV_Logic {
namespace {

// Flag combinations of the prototypes.
constexpr uint32_t kEmpty = 0x0b;        // static, done, hidden
constexpr uint32_t kStaticSolid = 0x23;  // static, done, solid
constexpr uint32_t kTimeCritical = 0x32; // time-critical, done, solid
constexpr uint32_t kActive = 0x22;       // done, solid
constexpr uint32_t kPlaceholder = 0x2b;  // static, done, hidden, solid

struct ProtoRow {
    uint32_t flags;
    uint16_t w0, w1;
    uint8_t b4, b5, b6;
};

// Indexed by type code 0..39.
constexpr ProtoRow kRows[KV_OBJECT_TYPE_COUNT] = {
    {kEmpty, 0, 0, 0, 0, 0},        // 0 Empty
    {kStaticSolid, 0, 0, 0, 0, 0},  // 1 Hardware
    {kTimeCritical, 1, 0, 0, 0, 0}, // 2 Pellik
    {kPlaceholder, 0, 0, 0, 0, 0},  // 3 Pellik_Move_Temp
    {kStaticSolid, 1, 1, 0, 0, 0},  // 4 Base
    {kTimeCritical, 1, 1, 0, 0, 1}, // 5 Grobble
    {kPlaceholder, 0, 0, 0, 0, 0},  // 6 Grobble_Fall_Temp
    {kPlaceholder, 0, 0, 0, 0, 0},  // 7 Grobble_Slide_Temp
    {kPlaceholder, 0, 0, 0, 0, 0},  // 8 Grobble_Slide_Fall_Temp
    {kStaticSolid, 0, 0, 0, 0, 0},  // 9 RAM
    {kTimeCritical, 1, 1, 0, 0, 1}, // 10 Quarkel
    {kPlaceholder, 0, 0, 0, 0, 0},  // 11 Quarkel_Fall_Temp
    {kPlaceholder, 0, 0, 0, 0, 0},  // 12 Quarkel_Slide_Temp
    {kPlaceholder, 0, 0, 0, 0, 0},  // 13 Quarkel_Slide_Fall_Temp
    {kPlaceholder, 8, 0, 0, 0, 0},  // 14 Grobble_Push_Temp
    {kActive, 1, 0, 0, 0, 0},       // 15 Grobble_Clone
    {kActive, 1, 0, 0, 0, 0},       // 16 Exit
    {kActive, 0, 0, 0, 0, 0},       // 17 Terminal
    {kActive, 1, 1, 0, 0, 0},       // 18 Disk_Yellow
    {kPlaceholder, 64, 0, 0, 0, 0}, // 19 Disk_Yellow_Push_Temp
    {kStaticSolid, 1, 1, 0, 0, 0},  // 20 Disk_Red
    {kTimeCritical, 1, 1, 0, 0, 0}, // 21 Disk_Orange
    {kPlaceholder, 0, 0, 0, 0, 0},  // 22 Disk_Orange_Fall_Temp
    {kPlaceholder, 8, 0, 0, 0, 0},  // 23 Disk_Orange_Push_Temp
    {kActive, 1, 0, 0, 0, 0},       // 24 Disk_Orange_Clone
    {kActive, 1, 0, 0, 0, 0},       // 25 Explosion
    {kActive, 1, 1, 0, 0, 0},       // 26 Bug
    {kStaticSolid, 0, 0, 0, 0, 0},  // 27 Port_U_To_D
    {kStaticSolid, 0, 0, 0, 0, 0},  // 28 Port_D_To_U
    {kStaticSolid, 0, 0, 0, 0, 0},  // 29 Port_L_To_R
    {kStaticSolid, 0, 0, 0, 0, 0},  // 30 Port_R_To_L
    {kStaticSolid, 0, 0, 0, 0, 0},  // 31 Port_Horizontal
    {kStaticSolid, 0, 0, 0, 0, 0},  // 32 Port_Vertical
    {kStaticSolid, 0, 0, 0, 0, 0},  // 33 Port_Cross
    {kTimeCritical, 1, 0, 1, 2, 0}, // 34 Gnarrow: moving left, byte 5 = 2
    {kPlaceholder, 0, 0, 0, 0, 0},  // 35 Gnarrow_Temp
    {kTimeCritical, 1, 0, 1, 2, 0}, // 36 Electron
    {kPlaceholder, 0, 0, 0, 0, 0},  // 37 Electron_Temp
    {kStaticSolid, 0, 0, 0, 0, 0},  // 38 Pellik_Static
    {kPlaceholder, 0, 0, 0, 0, 0},  // 39 Invisible_Wall
};

KV_Cell g_prototypes[KV_OBJECT_TYPE_COUNT];
bool g_prototypes_ready = false;

}  // namespace

void init_prototypes() {
    if (g_prototypes_ready) return;
    for (int t = 0; t < KV_OBJECT_TYPE_COUNT; ++t) {
        const ProtoRow& r = kRows[t];
        KV_Cell c(uint16_t(t), r.flags);
        c.set_u16(0, r.w0);
        c.set_u16(2, r.w1);
        c.set_u8(4, r.b4);
        c.set_u8(5, r.b5);
        c.set_u8(6, r.b6);
        g_prototypes[t] = c;
    }
    g_prototypes_ready = true;
}

const KV_Cell& prototype(KV_ObjectType type) {
    // Objects may ask before a converter has run (tests, tools); the table is cheap to fill.
    if (!g_prototypes_ready) init_prototypes();
    return g_prototypes[type_code(type)];
}

}  // namespace KV_Logic
