#include "app/players/player_table.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "app/players/player_name.h"
#include "app/players/save_report.h"
#include "foundation/dir_scanner.h"
#include "foundation/path.h"

KV_PlayerTable g_player_table;

namespace {

const char* const kPlayerExt = ".bts";

// Profiles named alike but for case ("Alice", "alice") have files of their
// own: these touch exactly the named file, never one that matches it ignoring case.
void delete_exact(const std::string& path) {
    // A failure only means the file is already gone or can't be touched.
    ::unlink(Qx::native_path(path).c_str());
}

bool save_exact(const KV_Player& player, const std::string& path) {
    const std::string native = Qx::native_path(path);
    // The folder's save writes over a case-insensitive match when the exact
    // name is missing, so the exact name is made first.
    const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const bool made = fd >= 0;
    if (made) ::close(fd);
    errno = 0;
    if (player.save(native)) return true;
    if (made) ::unlink(native.c_str());
    return false;
}

}  // namespace

uint32_t KV_PlayerTable::hash_name(const std::string& name) {
    uint32_t h = 0;
    const size_t words = name.size() / 4;
    for (size_t i = 0; i < words; ++i) {
        const auto* b = reinterpret_cast<const uint8_t*>(name.data() + i * 4);
        h += uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }
    for (size_t i = words * 4; i < name.size(); ++i) h += uint8_t(name[i]);
    return h;
}

bool KV_PlayerTable::load_all() {
    players_.clear();
    shadowed_files_.clear();
    current_name_.clear();
    // Sorted, so duplicates resolve the same way whatever order the system lists.
    std::vector<std::string> files;
    Qx::DirScanner scanner(folder_, std::string("*") + kPlayerExt, Qx::DS_FILES);
    while (scanner.next()) files.push_back(scanner.get_name());
    std::sort(files.begin(), files.end());

    for (const std::string& file : files) {
        auto player = std::make_shared<KV_Player>();
        if (!player->load(folder_ + file)) continue;
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
    if (save_exact(player, path)) return true;
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
    const std::shared_ptr<KV_Player> first = players_.begin()->second;
    set_current_name(players_.begin()->first);
    return first;
}

std::shared_ptr<KV_Player> KV_PlayerTable::get(const std::string& name) const {
    auto found = players_.find(name);
    return found == players_.end() ? nullptr : found->second;
}

bool KV_PlayerTable::add(const std::string& name) {
    if (!is_valid_player_name(name) || players_.count(name)) return false;
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
    if (!other_came_from_it) delete_exact(own_file);
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
