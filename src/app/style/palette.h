// The colours of the program's own look. Every style paints with these and no others.
// tools/gen_look.py reads them too, for the look's images: one colour a line, in this form.
#pragma once

#include <ClanLib/Display/color.h>

namespace QxPalette {

// Outline of input boxes, list boxes, windows and the window title tab; white with the keyboard focus.
inline const CL_Color outline(175, 205, 148, 255);
inline const CL_Color outline_focused(255, 255, 255, 255);
// Translucent rounded background of input boxes and list boxes.
inline const CL_Color box_background(0, 40, 0, 60);
inline const CL_Color window_body(100, 120, 100, 210);
// The window title tab and the current row of a list.
inline const CL_Color title_tab(93, 156, 39, 255);
inline const CL_Color current_row(93, 156, 39, 255);
inline const CL_Color list_text(152, 211, 101, 255);
// A solved level, or a file row of kind 1.
inline const CL_Color list_text_marked(211, 211, 101, 255);
// Text on the current row, and a pressed or focused text button.
inline const CL_Color text_active(255, 255, 255, 255);
inline const CL_Color button_rest(200, 200, 200, 255);
inline const CL_Color button_lit(255, 255, 255, 255);
inline const CL_Color frame(108, 139, 138, 255);
inline const CL_Color marked_text(150, 180, 150, 127);
inline const CL_Color input_cursor(245, 245, 245, 255);
inline const CL_Color scroll_track(42, 97, 29, 255);
inline const CL_Color scroll_slider(60, 120, 48, 255);

// The outline colour of a focusable box.
inline CL_Color outline_for(bool focused) { return focused ? outline_focused : outline; }

}  // namespace QxPalette
