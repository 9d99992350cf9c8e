#include "app/players/player.h"

#include "app/players/player_name.h"
#include "app/players/player_table.h"
#include "game/level/levelset_registry.h"

namespace {

const char* const kLevelFolder = "Levels\\";
const char* const kDemoFolder = "Demos\\";
const char* const kDemoMask = "*.kvd";

// Re-enters a stored folder of a scanner and gives the stored choice in it, or
// nothing when the folder is gone or the name would leave it.
std::string stored_choice(const Qx::BtsFolderPtr& folder, KV_FileScanner& scanner) {
    std::string path, name;
    folder->get_string("path", path, "");
    folder->get_string("name", name, "");
    if (!path.empty() && !scanner.change_dir(path)) return std::string();
    return is_plain_file_name(name) ? name : std::string();
}

Qx::BtsFolderPtr choice_folder(const std::shared_ptr<KV_FileScanner>& scanner, const std::string& name) {
    auto folder = std::make_shared<Qx::BtsFolder>();
    folder->set_string("path", scanner ? scanner->get_relative_dir() : std::string());
    folder->set_string("name", name);
    return folder;
}

}  // namespace

size_t KV_NameHash::operator()(const std::string& s) const { return KV_PlayerTable::hash_name(s); }

KV_Player::KV_Player() = default;

KV_Player::KV_Player(const std::string& name) : name_(name) { make_scanners(); }

void KV_Player::make_scanners() {
    level_scanner_ = std::make_shared<KV_FileScanner>(kLevelFolder, levelset_file_filter());
    demo_scanner_ = std::make_shared<KV_FileScanner>(kDemoFolder, kDemoMask);
}

void KV_Player::set_levelset(std::shared_ptr<KV_LevelSetBase> set) {
    levelset_ = std::move(set);
    if (!levelset_) return;
    auto found = stats_.find(stat_key());
    if (found == stats_.end()) return;
    const int32_t n = found->second->get_current_level();
    if (n < 0 || n >= levelset_->GetCount()) found->second->set_current_level(0);
}

void KV_Player::set_game_speed(int32_t speed) {
    game_speed_ = (speed < MIN_GAME_SPEED || speed > MAX_GAME_SPEED) ? DEFAULT_GAME_SPEED : speed;
}

std::string KV_Player::level_dir() const {
    return level_scanner_ ? level_scanner_->get_relative_dir() : std::string();
}

std::string KV_Player::stat_key() const { return level_dir() + levelset_name_; }

std::shared_ptr<KV_LevelsetStat> KV_Player::get_levelset_stat() {
    const std::string key = stat_key();
    auto found = stats_.find(key);
    if (found != stats_.end() && found->second) return found->second;
    auto stat = std::make_shared<KV_LevelsetStat>();
    stat->set_path(level_dir());
    stat->set_name(levelset_name_);
    // A full profile keeps no progress for one more set rather than be written
    // as a file its own load would refuse.
    if (found != stats_.end() || stats_.size() < KV_MAX_PROGRESS_ENTRIES) stats_[key] = stat;
    return stat;
}

int32_t KV_Player::get_current_level_number() { return get_levelset_stat()->get_current_level(); }

void KV_Player::set_current_level_number(int32_t n) {
    const bool in_set = levelset_ && n >= 0 && n < levelset_->GetCount();
    get_levelset_stat()->set_current_level(in_set ? n : 0);
}

std::shared_ptr<KV_LevelBase> KV_Player::get_current_level() {
    const int32_t n = get_current_level_number();
    if (!levelset_ || n < 0 || n >= levelset_->GetCount()) return nullptr;
    return levelset_->GetLevel(n);
}

Qx::BtsFolderPtr KV_Player::to_folder() const {
    auto top = std::make_shared<Qx::BtsFolder>();
    top->set_string("name", name_);
    top->set_folder("Levelset", choice_folder(level_scanner_, levelset_name_));
    top->set_folder("Demos", choice_folder(demo_scanner_, demo_name_));
    auto stats = std::make_shared<Qx::BtsFolder>();
    int counter = 0;
    for (const auto& entry : stats_)
        if (entry.second) stats->set_folder(std::to_string(counter++), entry.second->to_folder());
    top->set_folder("Stats", stats);
    auto preferences = std::make_shared<Qx::BtsFolder>();
    preferences->set_int32("game_speed", game_speed_);
    top->set_folder("Preferences", preferences);
    return top;
}

bool KV_Player::save(const std::string& path) const { return to_folder()->save(path); }

bool KV_Player::load(const std::string& path, std::string* why) {
    Qx::BtsFolder top;
    if (!top.load(path)) {
        if (why) *why = "not a readable BTS file";
        return false;
    }
    if (!load_folder(top, why)) return false;
    loaded_file_ = path;
    return true;
}

bool KV_Player::load_folder(const Qx::BtsFolder& top, std::string* why) {
    auto refuse = [why](const std::string& reason) {
        if (why) *why = reason;
        return false;
    };
    // The name is also the profile's file name: one that could reach outside
    // the players folder is refused with the whole file.
    std::string name;
    top.get_string("name", name, "");
    if (name.empty()) return refuse("no player name");
    if (!is_loadable_player_name(name)) return refuse("a player name that is no file name in the players folder");

    // Everything is read and checked before the profile changes.
    StatMap stats_read;
    if (Qx::BtsFolderPtr stats = top.get_folder("Stats")) {
        const std::vector<std::string> subs = stats->get_folder_names();
        if (subs.size() > KV_MAX_PROGRESS_ENTRIES)
            return refuse(std::to_string(subs.size()) + " progress entries, more than a profile may hold (" +
                          std::to_string(KV_MAX_PROGRESS_ENTRIES) + ")");
        // Byte order of the subfolder names, so the same file always gives the
        // same winner among records of one set.
        for (const std::string& sub : subs) {
            auto stat = std::make_shared<KV_LevelsetStat>();
            std::string reason;
            if (stat->load(stats->get_folder(sub), &reason)) {
                stats_read[stat->get_path() + stat->get_name()] = stat;
            } else if (!reason.empty()) {
                return refuse("progress entry " + sub + ": " + reason);
            }
        }
    }
    name_ = name;
    for (auto& entry : stats_read) stats_[entry.first] = std::move(entry.second);
    make_scanners();
    if (Qx::BtsFolderPtr levelset = top.get_folder("Levelset")) levelset_name_ = stored_choice(levelset, *level_scanner_);
    if (Qx::BtsFolderPtr demos = top.get_folder("Demos")) demo_name_ = stored_choice(demos, *demo_scanner_);
    if (Qx::BtsFolderPtr preferences = top.get_folder("Preferences")) {
        int32_t speed = DEFAULT_GAME_SPEED;
        preferences->get_int32("game_speed", speed, DEFAULT_GAME_SPEED);
        set_game_speed(speed);
    }
    return true;
}
