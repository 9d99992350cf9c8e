#pragma once
// A player's progress in one level set: the state of every level and the level
// last played or chosen.
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/bts_folder.h"
#include "game/level/level_base.h"

class KV_LevelsetStat {
public:
    enum LevelState : int32_t { LEVEL_UNSOLVED = 0, LEVEL_SOLVED = 2 };
    // No more states than a level set can have levels: no index can make the
    // list huge, and a stored list longer than that is refused.
    static constexpr int32_t MAX_LEVELS = KV_LevelSetBase::MAX_LEVELS;

    KV_LevelsetStat();

    const std::string& get_path() const { return path_; }
    void set_path(const std::string& path) { path_ = path; }
    const std::string& get_name() const { return name_; }
    void set_name(const std::string& name) { name_ = name; }
    int32_t get_current_level() const { return current_level_; }
    void set_current_level(int32_t level) { current_level_ = level; }

    // The state of level i; the list first grows to i + 1 entries with zeros.
    // An index outside 0..MAX_LEVELS-1 gets a scratch entry that is kept nowhere.
    int32_t& level_state(int32_t i);
    const std::vector<int32_t>& levels_state() const { return levels_state_; }

    // False for an empty pointer and for more than MAX_LEVELS stored states (why
    // then says so, when given). A stored path written with '\' reads as '/', and a
    // negative current level as 0.
    bool load(const Qx::BtsFolderPtr& folder, std::string* why = nullptr);
    Qx::BtsFolderPtr to_folder() const;

private:
    std::string path_;
    std::string name_;
    std::vector<int32_t> levels_state_;
    int32_t current_level_ = 0;
    int32_t scratch_ = 0;
};
