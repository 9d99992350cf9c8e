#include "app/menu_logic/level_rows.h"

std::vector<KV_LevelRow> kv_level_rows(const KV_LevelSetBase& set, KV_LevelsetStat* stat) {
    std::vector<KV_LevelRow> rows;
    const int32_t n = set.GetCount();
    for (int32_t i = 0; i < n; ++i) {
        std::shared_ptr<KV_LevelBase> level = set.GetLevel(i);
        if (!level) continue;
        rows.push_back({i, level->GetTitle(), stat ? stat->level_state(i) : 0});
    }
    return rows;
}

int32_t kv_row_of_level(const std::vector<KV_LevelRow>& rows, int32_t level) {
    if (rows.empty()) return -1;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].index == level) return int32_t(r);
    }
    return 0;
}

int32_t kv_row_of_name(const std::vector<std::string>& names, const std::string& name) {
    if (names.empty()) return -1;
    for (size_t r = 0; r < names.size(); ++r) {
        if (names[r] == name) return int32_t(r);
    }
    return 0;
}
