#include "app/menus/player_dialog_rules.h"

#include "app/players/player_name.h"

std::string new_player_name(const std::string& typed) {
    std::string name = clean_player_name(typed);
    if (name.size() > KV_MAX_PLAYER_NAME) name = clean_player_name(name.substr(0, KV_MAX_PLAYER_NAME));
    return name;
}

int row_after_delete(int deleted, int count) {
    if (count <= 1) return -1;
    return deleted > 0 ? deleted - 1 : 0;
}

KV_ProfileAction profile_key_action(KV_ProfileFocus focused, KV_ProfileKey key, int current, int count) {
    using A = KV_ProfileAction;
    using K = KV_ProfileKey;
    if (key == K::Escape) return A::Close;
    switch (focused) {
    case KV_ProfileFocus::Players:
        switch (key) {
        case K::Enter: return current >= 0 && current < count ? A::Close : A::None;
        case K::Left: return A::FocusAdd;
        case K::Right: return A::FocusOk;
        case K::Up: return current >= 1 ? A::PreviousRow : A::None;
        case K::Down: return current >= 0 && current < count - 1 ? A::NextRow : A::None;
        default: return A::None;
        }
    case KV_ProfileFocus::Add:
        if (key == K::Up) return A::FocusPlayers;
        if (key == K::Right) return A::FocusDelete;
        return A::None;
    case KV_ProfileFocus::Delete:
        if (key == K::Left) return A::FocusAdd;
        if (key == K::Up) return A::FocusPlayers;
        if (key == K::Right) return A::FocusOk;
        return A::None;
    case KV_ProfileFocus::Ok:
        if (key == K::Left) return A::FocusDelete;
        if (key == K::Up) return A::FocusPlayers;
        return A::None;
    }
    return A::None;
}
