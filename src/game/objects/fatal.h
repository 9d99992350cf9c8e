#pragma once
// Impossible states end the game with ClanLib's error, caught by main.
#include <ClanLib/Core/System/error.h>

#include <string>

[[noreturn]] inline void kv_fatal(const std::string& text) { throw CL_Error(text); }
// For texts that end in a blank or " (": the offending value follows in decimal.
[[noreturn]] inline void kv_fatal(const std::string& text, long long value) {
    throw CL_Error(text + std::to_string(value));
}
// "... (" value ")"
[[noreturn]] inline void kv_fatal_paren(const std::string& text, long long value) {
    throw CL_Error(text + std::to_string(value) + ")");
}
