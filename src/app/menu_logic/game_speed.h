#pragma once
// The typed game speed and the dialog loop that keeps asking until it lies
// in range or the dialog is cancelled.
#include <cstdint>
#include <functional>
#include <string>

// Decimal, like the C library's reading: leading blanks and a sign allowed,
// the digits up to the first other character, 0 without digits. A number
// beyond the 32-bit range gives the nearest end of the range, never a
// wrapped value.
int32_t kv_parse_game_speed(const std::string& text);
bool kv_is_game_speed(int32_t speed);

extern const char* const KV_TEXT_GAME_SPEED_RANGE;

// dialog(shown, typed) runs one dialog showing `shown` and returns whether it
// was accepted, with the text typed; range_message() tells the range. The
// dialog of a rejected value is over before the message shows. True, and
// speed changed, for an accepted value in range.
bool kv_ask_game_speed(int32_t& speed, const std::function<bool(int32_t shown, std::string& typed)>& dialog,
                       const std::function<void()>& range_message);
