#pragma once
#include <cstdint>

#include "game/level/direction.h"

// Object type codes; every per-type table has KV_TABLE_SIZE entries indexed by them.
enum class KV_ObjectType : uint16_t {
    Empty = 0,
    Hardware = 1,
    Pellik = 2,
    Pellik_Move_Temp = 3,
    Base = 4,
    Grobble = 5,
    Grobble_Fall_Temp = 6,
    Grobble_Slide_Temp = 7,
    Grobble_Slide_Fall_Temp = 8,
    RAM = 9,
    Quarkel = 10,
    Quarkel_Fall_Temp = 11,
    Quarkel_Slide_Temp = 12,
    Quarkel_Slide_Fall_Temp = 13,
    Grobble_Push_Temp = 14,
    Grobble_Clone = 15,
    Exit = 16,
    Terminal = 17,
    Disk_Yellow = 18,
    Disk_Yellow_Push_Temp = 19,
    Disk_Red = 20,
    Disk_Orange = 21,
    Disk_Orange_Fall_Temp = 22,
    Disk_Orange_Push_Temp = 23,
    Disk_Orange_Clone = 24,
    Explosion = 25,
    Bug = 26,
    Port_U_To_D = 27,
    Port_D_To_U = 28,
    Port_L_To_R = 29,
    Port_R_To_L = 30,
    Port_Horizontal = 31,
    Port_Vertical = 32,
    Port_Cross = 33,
    Gnarrow = 34,
    Gnarrow_Temp = 35,
    Electron = 36,
    Electron_Temp = 37,
    Pellik_Static = 38,
    Invisible_Wall = 39,
};

constexpr int KV_OBJECT_TYPE_COUNT = 40;
constexpr uint16_t type_code(KV_ObjectType t) { return uint16_t(t); }
constexpr int KV_TABLE_SIZE = 256;
