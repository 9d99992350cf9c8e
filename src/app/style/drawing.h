// The two shapes every box of the look is made of: an outline with its corners cut in a
// rounded step about 6 pixels deep, and the same shape filled.
#pragma once

#include <ClanLib/Core/Math/rect.h>
#include <ClanLib/Display/color.h>

#include <vector>

// One drawing call of a shape: a line between two points (both ends given as the
// caller passes them), a single pixel, or a filled rectangle (right and bottom exclusive).
struct QxShapePiece {
    enum Kind { Line, Pixel, Rect };
    Kind kind;
    int x1, y1, x2, y2;
};

// The calls that draw each shape, in drawing order. `rect` is right and bottom exclusive.
std::vector<QxShapePiece> rounded_outline_pieces(const CL_Rect& rect);
std::vector<QxShapePiece> rounded_fill_pieces(const CL_Rect& rect);

// Both draw on the screen in screen coordinates; neither clips nor guards small rectangles.
void draw_rounded_outline(const CL_Rect& rect, const CL_Color& color);
void fill_rounded_rect(const CL_Rect& rect, const CL_Color& color);
