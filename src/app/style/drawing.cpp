#include "app/style/drawing.h"

#include <ClanLib/Display/display.h>

namespace {

QxShapePiece line(int x1, int y1, int x2, int y2) { return {QxShapePiece::Line, x1, y1, x2, y2}; }
QxShapePiece pixel(int x, int y) { return {QxShapePiece::Pixel, x, y, x, y}; }

void draw_pieces(const std::vector<QxShapePiece>& pieces, const CL_Color& color) {
    for (const QxShapePiece& p : pieces) {
        switch (p.kind) {
        case QxShapePiece::Line:
            CL_Display::draw_line(float(p.x1), float(p.y1), float(p.x2), float(p.y2), color);
            break;
        case QxShapePiece::Pixel:
            CL_Display::draw_pixel(p.x1, p.y1, color);
            break;
        case QxShapePiece::Rect:
            CL_Display::fill_rect(CL_Rectf(float(p.x1), float(p.y1), float(p.x2), float(p.y2)), color);
            break;
        }
    }
}

}  // namespace

std::vector<QxShapePiece> rounded_outline_pieces(const CL_Rect& r) {
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    return {
        // The four edges.
        line(L + 6, T, R - 6, T), line(L + 6, B - 1, R - 6, B - 1),
        line(L, T + 6, L, B - 6), line(R - 1, T + 6, R - 1, B - 6),
        // Top left.
        line(L + 1, T + 6, L + 1, T + 4), pixel(L + 2, T + 3), pixel(L + 3, T + 2), line(L + 4, T + 1, L + 6, T + 1),
        // Bottom left.
        line(L + 1, B - 6, L + 1, B - 4), pixel(L + 2, B - 4), pixel(L + 3, B - 3), line(L + 4, B - 2, L + 6, B - 2),
        // Top right.
        line(R - 2, T + 4, R - 2, T + 6), pixel(R - 3, T + 3), pixel(R - 4, T + 2), line(R - 4, T + 1, R - 6, T + 1),
        // Bottom right.
        line(R - 2, B - 6, R - 2, B - 4), pixel(R - 3, B - 4), pixel(R - 4, B - 3), line(R - 4, B - 2, R - 6, B - 2),
    };
}

std::vector<QxShapePiece> rounded_fill_pieces(const CL_Rect& r) {
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    return {
        {QxShapePiece::Rect, L + 6, T, R - 6, B - 1},
        // The left band, column by column.
        line(L, T + 6, L, B - 7), line(L + 1, T + 4, L + 1, B - 5), line(L + 2, T + 3, L + 2, B - 4),
        line(L + 3, T + 2, L + 3, B - 3), line(L + 4, T + 1, L + 4, B - 2), line(L + 5, T + 1, L + 5, B - 2),
        // Its mirror on the right.
        line(R - 1, T + 6, R - 1, B - 7), line(R - 2, T + 4, R - 2, B - 5), line(R - 3, T + 3, R - 3, B - 4),
        line(R - 4, T + 2, R - 4, B - 3), line(R - 5, T + 1, R - 5, B - 2), line(R - 6, T + 1, R - 6, B - 2),
    };
}

void draw_rounded_outline(const CL_Rect& rect, const CL_Color& color) {
    draw_pieces(rounded_outline_pieces(rect), color);
}

void fill_rounded_rect(const CL_Rect& rect, const CL_Color& color) {
    draw_pieces(rounded_fill_pieces(rect), color);
}
