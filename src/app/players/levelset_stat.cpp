#include "app/players/levelset_stat.h"

#include <string>

#include "foundation/path.h"

namespace {

// Most sets hold a little over a hundred levels.
constexpr size_t kUsualLevelCount = 111;

}  // namespace

KV_LevelsetStat::KV_LevelsetStat() { levels_state_.reserve(kUsualLevelCount); }

int32_t& KV_LevelsetStat::level_state(int32_t i) {
    if (i < 0 || i >= MAX_LEVELS) {
        scratch_ = LEVEL_UNSOLVED;
        return scratch_;
    }
    if (size_t(i) >= levels_state_.size()) levels_state_.resize(size_t(i) + 1, LEVEL_UNSOLVED);
    return levels_state_[size_t(i)];
}

bool KV_LevelsetStat::load(const Qx::BtsFolderPtr& folder, std::string* why) {
    if (!folder) return false;
    // Counted before anything is copied out of the tree.
    const Qx::BtsValuePtr states = folder->find_value("levels_state");
    if (states && states->element_count() > uint32_t(MAX_LEVELS)) {
        if (why) *why = std::to_string(states->element_count()) + " level states, more than a level set can have (" +
                        std::to_string(MAX_LEVELS) + ")";
        return false;
    }
    folder->get_string("path", path_, "");
    path_ = Qx::native_path(path_);
    folder->get_string("name", name_, "");
    std::vector<uint8_t> bytes;
    folder->get_vector_uint8("levels_state", bytes);
    levels_state_.assign(bytes.begin(), bytes.end());
    folder->get_int32("current_level", current_level_, 0);
    if (current_level_ < 0) current_level_ = 0;
    return true;
}

Qx::BtsFolderPtr KV_LevelsetStat::to_folder() const {
    auto folder = std::make_shared<Qx::BtsFolder>();
    folder->set_string("path", path_);
    folder->set_string("name", name_);
    // Only 0 and 2 are ever stored, so the low byte holds the whole state.
    std::vector<uint8_t> bytes(levels_state_.begin(), levels_state_.end());
    folder->set_vector_uint8("levels_state", bytes);
    folder->set_int32("current_level", current_level_);
    return folder;
}
