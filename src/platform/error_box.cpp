#include "platform/error_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool box_wanted() {
    const char* off = std::getenv("KARVOLT_NO_ERROR_BOX");
    if (off && *off && std::strcmp(off, "0") != 0) return false;
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

}  // namespace

void show_error_box(const std::string& message) {
    std::fprintf(stderr, "Error: %s\n", message.c_str());
    std::fflush(stderr);
    if (!box_wanted()) return;
    // Blocks until the player closes it; a box that can't open leaves stderr as the report.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", message.c_str(), nullptr);
}
