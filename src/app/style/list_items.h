// The two kinds of list row that the menus put into list boxes, and the rule that keeps
// a list's current row in view.
#pragma once

#include <ClanLib/GUI/listitem.h>

#include <string>

class CL_ListBox;

// A file name; rows order by kind, then byte-wise by text.
class CL_ListFileItem : public CL_ListItem {
public:
    explicit CL_ListFileItem(const std::string& text = std::string(), int kind = 0);
    ~CL_ListFileItem() override;

    bool less_than(const CL_ListItem& item) const override;
    bool equal(const CL_ListItem& item) const override;

    int kind;
};

// A numbered level of a set with the player's state of it (2: solved).
class CL_ListLevelStatItem : public CL_ListItem {
public:
    CL_ListLevelStatItem(int index, const std::string& title, int state);
    ~CL_ListLevelStatItem() override;

    // "%.3d: " of index + 1, then the title.
    static std::string row_text(int index, const std::string& title);

    bool less_than(const CL_ListItem& item) const override;
    bool equal(const CL_ListItem& item) const override;

    int index;
    int state;
};

namespace QxListLook {
// The first visible row that keeps `current` in view, from the client area's height,
// the row height, the row count and the present first row.
int scroll_top(int client_height, int row_height, int count, int current, int top);
}  // namespace QxListLook

// Keeps the list box's current row visible.
void scroll_to_current(CL_ListBox* list);
