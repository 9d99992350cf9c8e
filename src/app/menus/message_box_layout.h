#pragma once
// Where the message box and its buttons go: pure arithmetic, so it is checked
// without a display. The box is 400 pixels wide, centred on the screen, and as
// high as its wrapped text plus 90.
#include <string>
#include <vector>

namespace KV_MessageBoxLayout {

constexpr int WIDTH = 400;
constexpr int EXTRA_HEIGHT = 90;
constexpr int BUTTON_GAP = 20;
constexpr int BUTTON_CENTRE = WIDTH / 2;
constexpr int BUTTON_FROM_BOTTOM = 40;
// The text is drawn inside the box less these margins, and wrapped at the width
// it is drawn in, so no line runs past the right edge.
constexpr int TEXT_LEFT = 30;
constexpr int TEXT_TOP = 50;
constexpr int TEXT_RIGHT = 15;
constexpr int TEXT_BOTTOM = 40;
constexpr int TEXT_WIDTH = WIDTH - TEXT_LEFT - TEXT_RIGHT;

struct Box {
    int left, top, right, bottom;
};

// Screen rectangle of a box whose text is text_height pixels high when wrapped to TEXT_WIDTH.
Box window(int screen_width, int screen_height, int text_height);
// 3 with a third caption, else 2 with a second one, else 1 (an empty first caption still counts).
int button_count(const std::string& caption1, const std::string& caption2, const std::string& caption3);
// Left edges of the buttons of the given widths: one row centred on BUTTON_CENTRE, BUTTON_GAP apart.
std::vector<int> button_lefts(const std::vector<int>& widths);
// Top of the button row in the box of that height.
inline int button_top(int box_height) { return box_height - BUTTON_FROM_BOTTOM; }

}  // namespace KV_MessageBoxLayout
