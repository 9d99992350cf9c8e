#pragma once
// The one rule for player names, shared by the new-player dialog, the player
// table and the player file: a name is also a file name in the players folder.
#include <cstddef>
#include <string>

constexpr size_t KV_MAX_PLAYER_NAME = 64;

// What a typed name becomes: everything before the first and after the last
// letter, digit or one of "(),_" dropped, then every character that is none of
// those nor a blank. A text without any such character cleans to nothing.
std::string clean_player_name(const std::string& text);

// A name the program accepts: not empty, at most KV_MAX_PLAYER_NAME bytes, and
// already clean (so it holds no separator, dot or NUL).
bool is_valid_player_name(const std::string& name);

// A name a player file may hold, though the dialog could not have typed it
// ("Anne-Marie"): anything that makes name + ".bts" one valid file name in the
// players folder (not empty, no separator or NUL, within the system's 255 bytes).
bool is_loadable_player_name(const std::string& name);
