// Moving the keyboard focus along the tab order: ClanLib has no public call for it.
#pragma once

#include <vector>

class CL_Component;

namespace QxFocus {

// The tab id after `current` (step +1) or before it (step -1) among `tab_ids`, wrapping
// round at the ends; a current id that is not among them gives the first (or the last).
// -1 when there is no id at all.
int next_tab_id(const std::vector<int>& tab_ids, int current, int step);

// The components under `root` that can take the focus by tab order: a tab id of 0 or
// more, focusable, visible and enabled. The first component of each id counts.
std::vector<CL_Component*> tab_order(CL_Component* root);

// Moves the focus from the component that has it to the next (step +1) or previous
// (step -1) one under `root`; a focused child without a tab id of its own (a list's client
// area) counts as the component it belongs to. Returns the component now focused, or null.
CL_Component* move_focus(CL_Component* root, int step);

inline CL_Component* focus_next(CL_Component* root) { return move_focus(root, +1); }
inline CL_Component* focus_previous(CL_Component* root) { return move_focus(root, -1); }

}  // namespace QxFocus
