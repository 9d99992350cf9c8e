#include "app/style/list_items.h"

#include <ClanLib/GUI/listbox.h>

#include <cstdio>

CL_ListFileItem::CL_ListFileItem(const std::string& text, int kind_) : kind(kind_) { str = text; }

CL_ListFileItem::~CL_ListFileItem() = default;

namespace {
// A row of another class counts as a file of kind 0.
int kind_of(const CL_ListItem& item) {
    const auto* file = dynamic_cast<const CL_ListFileItem*>(&item);
    return file ? file->kind : 0;
}
}  // namespace

bool CL_ListFileItem::less_than(const CL_ListItem& item) const {
    const int other = kind_of(item);
    if (kind != other) return kind < other;
    return str < item.str;  // std::string compares bytes as unsigned chars
}

bool CL_ListFileItem::equal(const CL_ListItem& item) const { return kind == kind_of(item) && str == item.str; }

CL_ListLevelStatItem::CL_ListLevelStatItem(int index_, const std::string& title, int state_)
    : index(index_), state(state_) {
    str = row_text(index_, title);
}

CL_ListLevelStatItem::~CL_ListLevelStatItem() = default;

std::string CL_ListLevelStatItem::row_text(int index, const std::string& title) {
    char number[24];
    std::snprintf(number, sizeof number, "%.3d: ", index + 1);
    return number + title;
}

bool CL_ListLevelStatItem::less_than(const CL_ListItem& item) const {
    const auto* level = dynamic_cast<const CL_ListLevelStatItem*>(&item);
    return level ? index < level->index : str < item.str;
}

bool CL_ListLevelStatItem::equal(const CL_ListItem& item) const {
    const auto* level = dynamic_cast<const CL_ListLevelStatItem*>(&item);
    return level && index == level->index;
}

namespace QxListLook {

int scroll_top(int client_height, int row_height, int count, int current, int top) {
    if (count <= 0) return top;
    // One row fewer than fit, so the current row never sits half under the bottom edge.
    const int fit = row_height > 0 ? client_height / row_height - 1 : 0;
    const int rows = fit > 1 ? fit : 1;
    if (current <= 0) return 0;
    if (current < top) return current;
    if (top + rows < current) return current - rows > 0 ? current - rows : 0;
    return top;
}

}  // namespace QxListLook

void scroll_to_current(CL_ListBox* list) {
    if (!list || list->get_count() == 0) return;
    list->set_top_item(QxListLook::scroll_top(list->get_client_area()->get_height(), list->get_item_height(),
                                              list->get_count(), list->get_current_item(), list->get_top_item()));
}
