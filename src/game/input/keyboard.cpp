// The display side of the key mask: ClanLib's keyboard state of the display window.
#include <ClanLib/Display/keyboard.h>
#include <ClanLib/Display/keys.h>

#include "game/play/key_mask.h"

namespace {

int clan_key(KV_KeyMask::Key key) {
    switch (key) {
        case KV_KeyMask::Key::Up: return CL_KEY_UP;
        case KV_KeyMask::Key::Down: return CL_KEY_DOWN;
        case KV_KeyMask::Key::Left: return CL_KEY_LEFT;
        case KV_KeyMask::Key::Right: return CL_KEY_RIGHT;
        case KV_KeyMask::Key::Space: return CL_KEY_SPACE;
    }
    return -1;
}

}  // namespace

void KV_KeyMask::read_keyboard(int& word) {
    word = compose([](Key key) { return CL_Keyboard::get_keycode(clan_key(key), 0); });
}
