#pragma once
// The fatal-error box: the message on stderr always, and in a window captioned
// "Error" with one OK button when a display is there. KARVOLT_NO_ERROR_BOX=1 in
// the environment keeps the window away, so scripted runs never wait on it.
#include <string>

void show_error_box(const std::string& message);
