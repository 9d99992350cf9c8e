#include "app/menu_logic/game_speed.h"

#include <limits>

#include "app/players/player.h"

const char* const KV_TEXT_GAME_SPEED_RANGE = "Game speed should be in range: [1 .. 1000]";

int32_t kv_parse_game_speed(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const int64_t limit = negative ? -int64_t(std::numeric_limits<int32_t>::min()) : std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) {
            value = limit;
            break;
        }
    }
    return int32_t(negative ? -value : value);
}

bool kv_is_game_speed(int32_t speed) {
    return speed >= KV_Player::MIN_GAME_SPEED && speed <= KV_Player::MAX_GAME_SPEED;
}

bool kv_ask_game_speed(int32_t& speed, const std::function<bool(int32_t shown, std::string& typed)>& dialog,
                       const std::function<void()>& range_message) {
    int32_t shown = speed;
    std::string typed;
    while (dialog(shown, typed)) {
        const int32_t value = kv_parse_game_speed(typed);
        if (kv_is_game_speed(value)) {
            speed = value;
            return true;
        }
        range_message();
        shown = value;
    }
    return false;
}
