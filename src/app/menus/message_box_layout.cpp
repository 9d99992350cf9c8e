#include "app/menus/message_box_layout.h"

namespace KV_MessageBoxLayout {

Box window(int screen_width, int screen_height, int text_height) {
    const int height = text_height + EXTRA_HEIGHT;
    return Box{screen_width / 2 - WIDTH / 2, screen_height / 2 - height / 2, screen_width / 2 + WIDTH / 2,
               screen_height / 2 + height / 2};
}

int button_count(const std::string& /*caption1*/, const std::string& caption2, const std::string& caption3) {
    if (!caption3.empty()) return 3;
    if (!caption2.empty()) return 2;
    return 1;
}

std::vector<int> button_lefts(const std::vector<int>& widths) {
    int row = 0;
    for (int w : widths) row += w;
    if (!widths.empty()) row += BUTTON_GAP * int(widths.size() - 1);
    std::vector<int> lefts;
    int x = BUTTON_CENTRE - row / 2;
    for (int w : widths) {
        lefts.push_back(x);
        x += w + BUTTON_GAP;
    }
    return lefts;
}

}  // namespace KV_MessageBoxLayout
