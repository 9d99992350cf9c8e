// The object views read the documented bytes of a cell, also of a const cell
// (as the drawing reads them): each field is checked against a cell whose
// state bytes are 0x11, 0x22, ... 0x88.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/objects/disks.h"
#include "game/objects/eating.h"
#include "game/objects/enemies.h"
#include "game/objects/grobble_quarkel.h"
#include "game/objects/pellik.h"
#include "game/objects/ports.h"
#include "game/objects/pushing.h"
#include "game/objects/small_objects.h"

namespace {
namespace L = KV_Logic;

KV_Cell patterned() {
    KV_Cell c;
    for (int i = 0; i < 8; ++i) c.state[i] = uint8_t(0x11 * (i + 1));
    return c;
}

// Little-endian value of `width` bytes at `offset` of the patterned cell.
uint32_t bytes_at(int offset, int width) {
    uint32_t v = 0;
    for (int k = width - 1; k >= 0; --k) v = v << 8 | uint32_t(0x11 * (offset + k + 1));
    return v;
}

TEST(ObjectViews, FieldsReadTheirDocumentedBytes) {
    struct Field {
        const char* name;
        std::function<uint32_t(const KV_Cell&)> read;
        int offset, width;
    };
    const Field fields[] = {
        {"Pellik state", [](const KV_Cell& c) { return uint32_t(L::Pellik::ConstView{c}.state()); }, 0, 2},
        {"Pellik counter", [](const KV_Cell& c) { return uint32_t(L::Pellik::ConstView{c}.counter()); }, 2, 1},
        {"Pellik pose", [](const KV_Cell& c) { return uint32_t(L::Pellik::ConstView{c}.pose()); }, 3, 1},
        {"Pellik direction", [](const KV_Cell& c) { return uint32_t(L::Pellik::ConstView{c}.direction()); }, 4, 1},
        {"Pellik hold", [](const KV_Cell& c) { return uint32_t(L::Pellik::ConstView{c}.hold()); }, 6, 2},
        {"move temp", [](const KV_Cell& c) { return uint32_t(L::Pellik::ConstMoveTempView{c}.move()); }, 0, 2},
        {"faller state", [](const KV_Cell& c) { return uint32_t(L::ConstFallerState{c}.state()); }, 0, 2},
        {"faller push", [](const KV_Cell& c) { return uint32_t(L::ConstFallerState{c}.push_direction()); }, 2, 2},
        {"faller counter", [](const KV_Cell& c) { return uint32_t(L::ConstFallerState{c}.counter()); }, 4, 2},
        {"slide phase", [](const KV_Cell& c) { return uint32_t(L::ConstFallerState{c}.slide_phase()); }, 6, 1},
        {"faller temp", [](const KV_Cell& c) { return uint32_t(L::ConstFallerTempState{c}.state()); }, 0, 2},
        {"Grobble clone", [](const KV_Cell& c) { return L::ConstGrobbleCloneState{c}.counter(); }, 4, 4},
        {"orange push", [](const KV_Cell& c) { return uint32_t(L::Disk_Orange::ConstView{c}.push_direction()); }, 2, 2},
        {"orange counter", [](const KV_Cell& c) { return uint32_t(L::Disk_Orange::ConstView{c}.counter()); }, 4, 2},
        {"clone limit", [](const KV_Cell& c) { return uint32_t(L::Disk_Orange::ConstView{c}.clone_limit()); }, 6, 2},
        {"yellow counter", [](const KV_Cell& c) { return L::Disk_Yellow::ConstView{c}.counter(); }, 4, 4},
        {"red counter", [](const KV_Cell& c) { return L::Disk_Red::ConstView{c}.counter(); }, 4, 4},
        {"temp state", [](const KV_Cell& c) { return KV_ConstTempView{c}.state(); }, 0, 4},
        {"temp counter", [](const KV_Cell& c) { return KV_ConstTempView{c}.counter(); }, 4, 4},
        {"enemy counter", [](const KV_Cell& c) { return uint32_t(L::KV_ConstEnemyView{c}.counter()); }, 2, 1},
        {"enemy direction", [](const KV_Cell& c) { return uint32_t(L::KV_ConstEnemyView{c}.direction()); }, 4, 1},
        {"enemy turn", [](const KV_Cell& c) { return uint32_t(L::KV_ConstEnemyView{c}.turn()); }, 5, 1},
        {"enemy temp", [](const KV_Cell& c) { return L::KV_ConstEnemyTempView{c}.went(); }, 0, 4},
        {"Base counter", [](const KV_Cell& c) { return L::Base::ConstView{c}.counter(); }, 4, 4},
        {"Bug counter", [](const KV_Cell& c) { return uint32_t(L::Bug::ConstView{c}.counter()); }, 4, 2},
        {"Terminal", [](const KV_Cell& c) { return L::Terminal::ConstView{c}.animation(); }, 0, 4},
        {"Explosion kind", [](const KV_Cell& c) { return uint32_t(L::Explosion::ConstView{c}.kind()); }, 0, 4},
        {"Explosion counter", [](const KV_Cell& c) { return L::Explosion::ConstView{c}.counter(); }, 4, 4},
        {"wall variant", [](const KV_Cell& c) { return uint32_t(L::Wall::ConstView{c}.variant()); }, 0, 2},
        {"port switches", [](const KV_Cell& c) { return KV_ConstPortView{c}.switches(); }, 4, 4},
    };
    const KV_Cell cell = patterned();
    for (const Field& f : fields) EXPECT_EQ(f.read(cell), bytes_at(f.offset, f.width)) << f.name;
}

TEST(ObjectViews, WritersTouchOnlyTheirBytes) {
    struct Write {
        const char* name;
        std::function<void(KV_Cell&)> write;
        int offset, width;
        uint32_t value = 0;
    };
    const Write writes[] = {
        {"Pellik counter", [](KV_Cell& c) { L::Pellik::View{c}.set_counter(0); }, 2, 1},
        {"Pellik hold", [](KV_Cell& c) { L::Pellik::View{c}.set_hold(0); }, 6, 2},
        {"faller counter", [](KV_Cell& c) { L::FallerState{c}.set_counter(0); }, 4, 2},
        {"pushable counter", [](KV_Cell& c) { KV_PushableView{c}.set_sideways_counter(0); }, 4, 2},
        {"yellow counter", [](KV_Cell& c) { L::Disk_Yellow::View{c}.set_counter(0); }, 4, 4},
        {"eaten u16 counter", [](KV_Cell& c) { KV_EatenView{c}.clear_u16_counter(); }, 4, 2},
        {"eaten u32 counter", [](KV_Cell& c) { KV_EatenView{c}.clear_u32_counter(); }, 4, 4},
        {"enemy temp", [](KV_Cell& c) { L::KV_EnemyTempView{c}.set_went(0); }, 0, 4},
        {"wall variant", [](KV_Cell& c) { L::Wall::View{c}.set_variant(0); }, 0, 4},
        {"port special", [](KV_Cell& c) { KV_PortView{c}.set_special(); }, 0, 4, PORT_SPECIAL},
    };
    for (const Write& w : writes) {
        KV_Cell c = patterned();
        w.write(c);
        const KV_Cell before = patterned();
        uint32_t written = 0;
        for (int i = 0; i < 8; ++i) {
            const bool inside = i >= w.offset && i < w.offset + w.width;
            if (inside) written |= uint32_t(c.state[i]) << (8 * (i - w.offset));
            else EXPECT_EQ(c.state[i], before.state[i]) << w.name << " wrote byte " << i;
        }
        EXPECT_EQ(written, w.value) << w.name;
    }
}

}  // namespace
