#pragma once
// The command-line switches. Each argument after the program's name is compared,
// whole and case-sensitively, with every switch; anything else is ignored.

struct KV_Switches {
    bool fullscreen = false;
    bool no_sound = false;
    bool log = false;
};

KV_Switches read_switches(int argc, const char* const* argv);
