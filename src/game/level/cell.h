#pragma once
// One cell of the field: a type code, flag bits and eight state bytes whose
// meaning depends on the type. Plain data, copied whole from prototypes.
#include <cstdint>
#include <cstddef>

#include "game/level/object_type.h"

enum KV_CellFlags : uint32_t {
    CF_STATIC        = 0x01, // skipped by the process pass
    CF_DONE          = 0x02, // handled in the current pass
    CF_NO_PROCESS    = 0x04, // never run by the process pass
    CF_HIDDEN        = 0x08, // not drawn
    CF_TIME_CRITICAL = 0x10, // runs in the second pass
    CF_SOLID         = 0x20, // occupies its position
};

// The process pass skips any cell carrying one of these bits.
constexpr uint32_t CF_PROCESS_SKIP = CF_STATIC | CF_DONE | CF_NO_PROCESS | CF_TIME_CRITICAL;

struct KV_Cell {
    uint16_t type = 0;
    uint32_t flags = 0;
    uint8_t state[8] = {};

    KV_Cell() = default;
    KV_Cell(uint16_t t, uint32_t f) : type(t), flags(f) {}

    // Type codes index 256-entry tables as signed 16-bit values.
    int16_t type_index() const { return int16_t(type); }

    bool is(KV_ObjectType t) const { return type == uint16_t(t); }
    KV_ObjectType object_type() const { return KV_ObjectType(type); }
    bool has(uint32_t f) const { return (flags & f) != 0; }
    bool is_solid() const { return has(CF_SOLID); }

    // State bytes are little-endian whatever the host, and read byte by byte so
    // no access depends on alignment.
    uint8_t get_u8(int i) const { return state[i]; }
    void set_u8(int i, uint8_t v) { state[i] = v; }
    uint16_t get_u16(int i) const { return uint16_t(state[i] | (state[i + 1] << 8)); }
    void set_u16(int i, uint16_t v) { state[i] = uint8_t(v); state[i + 1] = uint8_t(v >> 8); }
    uint32_t get_u32(int i) const {
        return uint32_t(state[i]) | uint32_t(state[i + 1]) << 8 | uint32_t(state[i + 2]) << 16 |
               uint32_t(state[i + 3]) << 24;
    }
    void set_u32(int i, uint32_t v) {
        for (int k = 0; k < 4; ++k) state[i + k] = uint8_t(v >> (8 * k));
    }

    // The conventional fields: state word, second word (counter), the u32 at bytes 4-7.
    uint16_t get_state() const { return get_u16(0); }
    void set_state(uint16_t s) { set_u16(0, s); }
    uint16_t get_w1() const { return get_u16(2); }
    void set_w1(uint16_t v) { set_u16(2, v); }
    uint32_t get_u32_4() const { return get_u32(4); }
    void set_u32_4(uint32_t v) { set_u32(4, v); }
    bool u32_4_equals(uint32_t v) const { return get_u32(4) == v; }
    void inc_u32_4() { set_u32(4, get_u32(4) + 1); }

    void copy_from(const KV_Cell& proto) { *this = proto; }
};

static_assert(sizeof(KV_Cell) == 16, "a cell is 16 bytes");
static_assert(offsetof(KV_Cell, flags) == 4 && offsetof(KV_Cell, state) == 8, "cell layout");
