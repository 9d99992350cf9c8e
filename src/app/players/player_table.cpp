#include "app/players/player_table.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "app/players/player_name.h"
#include "app/players/save_report.h"
#include "foundation/dir_scanner.h"
#include "foundation/log.h"
#include "foundation/path.h"
#include "foundation/string_hash.h"

KV_PlayerTable g_player_table;

namespace {

const char* const kPlayerExt = ".bts";

// Profiles named alike but for case ("Alice", "alice") have files of their
// own: these touch exactly the named file, never one that matches it ignoring case.
void delete_exact(const std::string& path) {
    // A failure only means the file is already gone or can't be touched.
    Qx::delete_file(path);
}

bool save_exact(const KV_Player& player, const std::string& path) {
    // A refusal that sets no system error must not be reported with a stale one.
    errno = 0;
    return player.save(path);
}

void report_damaged(const std::string& path, const std::string& why) {
    std::fprintf(stderr, "Could not load %s: %s\n", path.c_str(), why.c_str());
    if (Qx::Log::is_enabled()) Qx::g_log.error("Could not load %s: %s\n", path.c_str(), why.c_str());
}

// NAME.bts.damaged, or with a number added when that is taken too: no damaged
// file is ever written over.
std::string free_damaged_name(const std::string& native) {
    for (int n = 1; n < 1000; ++n) {
        const std::string candidate = native + ".damaged" + (n > 1 ? "." + std::to_string(n) : std::string());
        struct stat st;
        if (lstat(candidate.c_str(), &st) != 0 && errno == ENOENT) return candidate;
    }
    return std::string();
}

}  // namespace

size_t KV_PlayerTable::hash_name(const std::string& name) { return size_t(Qx::string_hash(name)); }

bool KV_PlayerTable::set_aside_damaged(const std::string& path) {
    auto found = damaged_files_.find(path);
    if (found == damaged_files_.end()) return true;
    const std::string native = Qx::native_path(path);
    const std::string aside = free_damaged_name(native);
    if (!aside.empty() && ::rename(native.c_str(), aside.c_str()) == 0) {
        std::fprintf(stderr, "Kept the damaged %s as %s\n", path.c_str(), aside.c_str());
        if (Qx::Log::is_enabled()) Qx::g_log.error("Kept the damaged %s as %s\n", path.c_str(), aside.c_str());
    }
    // Gone already or moved: either way nothing of it is left to overwrite.
    struct stat st;
    if (lstat(native.c_str(), &st) == 0) return false;
    damaged_files_.erase(found);
    return true;
}

bool KV_PlayerTable::load_all() {
    players_.clear();
    shadowed_files_.clear();
    damaged_files_.clear();
    current_name_.clear();
    // Sorted, so duplicates resolve the same way whatever order the system lists.
    std::vector<std::string> files;
    Qx::DirScanner scanner(folder_, std::string("*") + kPlayerExt, Qx::DS_FILES);
    while (scanner.next()) files.push_back(scanner.get_name());
    std::sort(files.begin(), files.end());

    for (const std::string& file : files) {
        auto player = std::make_shared<KV_Player>();
        std::string why;
        if (!player->load(folder_ + file, &why)) {
            report_damaged(folder_ + file, why);
            damaged_files_.insert(folder_ + file);
            continue;
        }
        const std::string name = player->get_name();
        std::shared_ptr<KV_Player>& slot = players_[name];
        const bool held_by_own_file = slot && Qx::name_of_path(slot->get_loaded_file()) == name + kPlayerExt;
        if (held_by_own_file) {
            shadowed_files_[name].push_back(player->get_loaded_file());
            continue;
        }
        if (slot) shadowed_files_[name].push_back(slot->get_loaded_file());
        slot = player;
    }
    return true;
}

bool KV_PlayerTable::save_all() {
    for (const auto& entry : players_)
        if (entry.second) save(*entry.second);
    return true;
}

bool KV_PlayerTable::save(const KV_Player& player) {
    const std::string path = folder_ + player.get_name() + kPlayerExt;
    errno = 0;
    if (set_aside_damaged(path) && save_exact(player, path)) return true;
    kv_report_failed_save(path);
    return false;
}

void KV_PlayerTable::set_current_name(const std::string& name) {
    if (name == current_name_) return;
    current_name_ = name;
    if (current_listener_) current_listener_(name);
}

bool KV_PlayerTable::select(const std::string& name) {
    if (players_.find(name) == players_.end()) return false;
    set_current_name(name);
    return true;
}

std::shared_ptr<KV_Player> KV_PlayerTable::current() {
    auto found = players_.find(current_name_);
    if (found != players_.end()) return found->second;
    if (players_.empty()) return nullptr;
    // The first by name, as the player list shows them: the hash's order
    // changes from run to run, and so would the player the game starts with.
    auto first = players_.begin();
    for (auto it = players_.begin(); it != players_.end(); ++it)
        if (it->first < first->first) first = it;
    set_current_name(first->first);
    return first->second;
}

std::shared_ptr<KV_Player> KV_PlayerTable::get(const std::string& name) const {
    auto found = players_.find(name);
    return found == players_.end() ? nullptr : found->second;
}

bool KV_PlayerTable::add(const std::string& name) {
    if (!is_valid_player_name(name) || players_.count(name)) return false;
    set_aside_damaged(folder_ + name + kPlayerExt);
    players_[name] = std::make_shared<KV_Player>(name);
    return true;
}

bool KV_PlayerTable::remove(const std::string& name) {
    auto found = players_.find(name);
    if (found == players_.end()) return false;
    // The file named after the player may be where another profile came from
    // (its inner name differs); that profile would lose its only copy.
    const std::string own_file = folder_ + name + kPlayerExt;
    const bool other_came_from_it = std::any_of(players_.begin(), players_.end(), [&](const auto& entry) {
        return entry.first != name && entry.second && entry.second->get_loaded_file() == own_file;
    });
    // Nor is a file that failed to load ever removed with a profile of its name.
    if (!other_came_from_it && !damaged_files_.count(own_file)) delete_exact(own_file);
    if (found->second && !found->second->get_loaded_file().empty()) delete_exact(found->second->get_loaded_file());
    auto shadowed = shadowed_files_.find(name);
    if (shadowed != shadowed_files_.end()) {
        for (const std::string& file : shadowed->second) delete_exact(file);
        shadowed_files_.erase(shadowed);
    }
    players_.erase(found);
    return true;
}

std::vector<std::string> KV_PlayerTable::names() const {
    std::vector<std::string> out;
    for (const auto& entry : players_)
        if (entry.second) out.push_back(entry.second->get_name());
    std::sort(out.begin(), out.end());
    return out;
}
