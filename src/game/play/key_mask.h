#pragma once
// The direction mask of one tick, built from the state of five keys.
#include <cstdint>

class KV_KeyMask {
public:
    enum Bit : int32_t {
        LEFT = 1,
        UP = 2,
        RIGHT = 4,
        DOWN = 8,
        FIRE = 16,
    };
    enum class Key { Up, Down, Left, Right, Space };

    // Asks Up, Down, Left, Right, Space in that order; several keys may be held at once.
    template <typename IsDown>
    static int32_t compose(IsDown&& is_down) {
        int32_t mask = 0;
        if (is_down(Key::Up)) mask |= UP;
        if (is_down(Key::Down)) mask |= DOWN;
        if (is_down(Key::Left)) mask |= LEFT;
        if (is_down(Key::Right)) mask |= RIGHT;
        if (is_down(Key::Space)) mask |= FIRE;
        return mask;
    }

    // The mask from the keyboard of the display window. Lives on the display
    // side (karvolt_input), so the game logic links without a display.
    static void read_keyboard(int& word);
};
