#pragma once
// The sprite slots of the objects' drawing: indices into KV_SpriteManager,
// each naming one sprite resource of "Graphics/objects_resourses.xml".
#include <array>

enum KV_SpriteSlot : int {
    SLOT_NONE = -1,
    SLOT_PELLIK_MOVING_LEFT = 0,   // +1 right, +2 up, +3 down
    SLOT_PELLIK_EATING_LEFT = 4,   // likewise
    SLOT_PELLIK_PUSHING_LEFT = 8,  // likewise
    SLOT_PELLIK = 12,
    SLOT_PELLIK_SETTING_RED_DISK = 13,
    SLOT_GNARROW = 14,             // moving left, right, up, down, then the four turns
    SLOT_ELECTRON = 22,            // likewise
    SLOT_TERMINAL = 30,
    SLOT_NOTHING = 31,
    SLOT_HARDWARE = 32,
    SLOT_RAM = 33,
    SLOT_DISK_RED = 34,
    SLOT_DISK_RED_SPARE = 35,
    SLOT_DISK_YELLOW = 36,
    SLOT_DISK_ORANGE = 37,
    SLOT_GROBBLE = 38,
    SLOT_BASE = 39,
    SLOT_BASE_CHARGING = 40,
    SLOT_BASE_EATING = 41,
    SLOT_EXIT = 42,
    SLOT_EXPLOSION = 43,
    SLOT_EXPLODING_QUARKEL = 44,
    SLOT_QUARKEL = 45,
    SLOT_QUARKEL_TUMB = 46,
    SLOT_QUARKEL_EATING = 47,
    SLOT_PORT_CROSS = 48,
    SLOT_PORT_L_TO_R = 49,
    SLOT_PORT_R_TO_L = 50,
    SLOT_PORT_U_TO_D = 51,
    SLOT_PORT_D_TO_U = 52,
    SLOT_PORT_HORIZONTAL = 53,
    SLOT_PORT_VERTICAL = 54,
};

constexpr int KV_SPRITE_SLOTS = 256;
constexpr int KV_FILLED_SLOTS = 55;

// Slot i's resource name, for the 55 filled slots.
extern const std::array<const char*, KV_FILLED_SLOTS> kv_sprite_resources;
