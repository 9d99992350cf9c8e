#include "app/style/focus.h"

#include <ClanLib/GUI/component.h>

#include <algorithm>
#include <map>

namespace QxFocus {

int next_tab_id(const std::vector<int>& tab_ids, int current, int step) {
    std::vector<int> ids = tab_ids;
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    if (ids.empty()) return -1;
    const auto at = std::find(ids.begin(), ids.end(), current);
    if (at == ids.end()) return step < 0 ? ids.back() : ids.front();
    const int n = int(ids.size());
    const int i = int(at - ids.begin());
    return ids[((i + (step < 0 ? -1 : 1)) % n + n) % n];
}

namespace {

void collect(CL_Component* c, std::map<int, CL_Component*>& by_id) {
    for (CL_Component* child : c->get_children()) {
        if (!child->is_visible(false) || !child->is_enabled(false)) continue;
        const int id = child->get_tab_id();
        if (id >= 0 && child->is_focusable()) by_id.emplace(id, child);
        collect(child, by_id);
    }
}

}  // namespace

std::vector<CL_Component*> tab_order(CL_Component* root) {
    std::map<int, CL_Component*> by_id;
    if (root) collect(root, by_id);
    std::vector<CL_Component*> order;
    for (const auto& e : by_id) order.push_back(e.second);
    return order;
}

CL_Component* move_focus(CL_Component* root, int step) {
    const std::vector<CL_Component*> order = tab_order(root);
    std::vector<int> ids;
    for (CL_Component* c : order) ids.push_back(c->get_tab_id());
    int current = -1;
    for (CL_Component* f = root ? root->get_focus() : nullptr; f && current < 0; f = f->get_parent())
        if (std::find(order.begin(), order.end(), f) != order.end()) current = f->get_tab_id();
    const int next = next_tab_id(ids, current, step);
    for (CL_Component* c : order)
        if (c->get_tab_id() == next) {
            c->set_focus();
            return c;
        }
    return nullptr;
}

}  // namespace QxFocus
