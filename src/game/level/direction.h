#pragma once
// The four directions of the field and a position on it. Each object that
// stores a direction in its own code converts to and from KV_Dir next to its
// view; only these offsets turn a direction into a neighbour.
#include <cstdint>

// Key mask of one tick, and the side argument of the eat, push and port
// interfaces (the side of the asked cell from which the asker comes).
enum KV_Direction : uint32_t {
    DIR_LEFT = 1,
    DIR_UP = 2,
    DIR_RIGHT = 4,
    DIR_DOWN = 8,
};
constexpr uint32_t KEY_FIRE = 16;

// One direction. Its value is its key-mask bit, the code Pellik's direction
// byte, the interfaces' side argument and the enemies' temps store.
enum class KV_Dir : uint8_t {
    Left = DIR_LEFT,
    Up = DIR_UP,
    Right = DIR_RIGHT,
    Down = DIR_DOWN,
};

constexpr int32_t kv_dx(KV_Dir d) { return d == KV_Dir::Left ? -1 : d == KV_Dir::Right ? 1 : 0; }
constexpr int32_t kv_dy(KV_Dir d) { return d == KV_Dir::Up ? -1 : d == KV_Dir::Down ? 1 : 0; }

constexpr KV_Dir kv_opposite(KV_Dir d) {
    switch (d) {
        case KV_Dir::Left: return KV_Dir::Right;
        case KV_Dir::Up: return KV_Dir::Down;
        case KV_Dir::Right: return KV_Dir::Left;
        case KV_Dir::Down: return KV_Dir::Up;
    }
    return d;
}

// 0 left, 1 up, 2 right, 3 down: the order of the bits, which per-direction
// codes such as poses count in.
constexpr int kv_index(KV_Dir d) { return d == KV_Dir::Left ? 0 : d == KV_Dir::Up ? 1 : d == KV_Dir::Right ? 2 : 3; }

// The key-mask bit of a direction, and the direction of a value that is
// exactly one such bit (false for anything else: 0, several bits, fire).
constexpr uint32_t kv_bit(KV_Dir d) { return uint32_t(d); }
constexpr bool kv_dir_of_bit(uint32_t bit, KV_Dir& out) {
    if (bit != DIR_LEFT && bit != DIR_UP && bit != DIR_RIGHT && bit != DIR_DOWN) return false;
    out = KV_Dir(bit);
    return true;
}

// A column and row of the field.
struct KV_Pos {
    int32_t x, y;
};
constexpr KV_Pos kv_step(KV_Pos p, KV_Dir d) { return {p.x + kv_dx(d), p.y + kv_dy(d)}; }
constexpr bool operator==(KV_Pos a, KV_Pos b) { return a.x == b.x && a.y == b.y; }
