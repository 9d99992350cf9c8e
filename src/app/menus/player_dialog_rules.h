#pragma once
// The player dialogs' decisions, apart from their windows: which name a typed
// text becomes, which row is highlighted after a delete, what a key does.
#include <string>

// The typed text as a new player's name: cleaned by the player-name rule and
// cut to the longest name a profile may carry. Empty when nothing is left.
std::string new_player_name(const std::string& typed);

// The highlighted row after deleting row `deleted` of `count` rows, counted in
// the list without it: the row above, or for the first row the one after it,
// or -1 when it was the only one.
int row_after_delete(int deleted, int count);

// The components of the player-choice dialog that handle keys.
enum class KV_ProfileFocus { Players, Add, Delete, Ok };

enum class KV_ProfileKey { Enter, Escape, Left, Up, Right, Down, Other };

enum class KV_ProfileAction {
    None,          // the key does nothing here (or the focused button presses itself)
    Close,         // select the highlighted player and close
    FocusPlayers,
    FocusAdd,
    FocusDelete,
    FocusOk,
    PreviousRow,
    NextRow,
};

// What a key does with `focused` focused; current and count describe the list.
KV_ProfileAction profile_key_action(KV_ProfileFocus focused, KV_ProfileKey key, int current, int count);
