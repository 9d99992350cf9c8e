#pragma once
// The rows of the game menu's two lists, worked out apart from the list boxes.
#include <cstdint>
#include <string>
#include <vector>

#include "app/players/levelset_stat.h"
#include "game/level/level_base.h"

struct KV_LevelRow {
    int32_t index;  // the level's own number in its set
    std::string title;
    int32_t state;
};

// One row for every level the set can make, in order; a level that can't be
// made has no row, and the rows after it keep their own numbers.
std::vector<KV_LevelRow> kv_level_rows(const KV_LevelSetBase& set, KV_LevelsetStat* stat);
// The row showing level number `level`; row 0 when none does; -1 for no rows.
int32_t kv_row_of_level(const std::vector<KV_LevelRow>& rows, int32_t level);
// The row whose name is exactly `name`; row 0 when none is; -1 for no names.
int32_t kv_row_of_name(const std::vector<std::string>& names, const std::string& name);
