#include "app/switches.h"

#include <cstring>

KV_Switches read_switches(int argc, const char* const* argv) {
    KV_Switches switches;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "-fullscreen") == 0) switches.fullscreen = true;
        if (std::strcmp(arg, "-nosound") == 0) switches.no_sound = true;
        if (std::strcmp(arg, "-log") == 0) switches.log = true;
    }
    return switches;
}
