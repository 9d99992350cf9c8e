#pragma once
// The cell and the type codes belong to the field; this path stays for code
// that still includes them from here.
#include "game/level/object_type.h"
