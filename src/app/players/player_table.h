#pragma once
// Every player profile found in the players folder, keyed by name, and the
// name of the current player.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <set>
#include <unordered_map>
#include <vector>

#include "app/players/player.h"

class KV_PlayerTable {
public:
    using PlayerMap = std::unordered_map<std::string, std::shared_ptr<KV_Player>, KV_NameHash>;

    // With its trailing separator ("./Players/"); a profile's file is folder + name + ".bts".
    void set_folder(const std::string& folder) { folder_ = folder; }
    const std::string& get_folder() const { return folder_; }

    // Replaces the table by the profiles of the folder's "*.bts" files. Two files
    // holding one name: the one named after it wins, else the later by name. A
    // file that doesn't load is said once (stderr and the error log) and kept.
    bool load_all();
    // Writes every profile to its own file; a failed write is reported and the
    // others still run. Always true.
    bool save_all();
    // Writes one profile to its own file at once, so what it holds outlives a
    // crash or a killed program; a failed write is reported.
    bool save(const KV_Player& player);

    // Makes a known name current; false, and nothing changed, for an unknown one.
    bool select(const std::string& name);
    // The current profile; when the current name is no longer a key, the first
    // profile becomes current. Empty only for an empty table.
    std::shared_ptr<KV_Player> current();
    std::shared_ptr<KV_Player> get(const std::string& name) const;
    // A new profile; false for a known name or one the name rule refuses. A file
    // of that name that failed to load is first set aside as NAME.bts.damaged.
    bool add(const std::string& name);
    // Drops the profile and deletes its files (the one it came from and
    // folder + name + ".bts"), so it doesn't come back at the next start.
    bool remove(const std::string& name);
    // Every profile's name in ascending byte order.
    std::vector<std::string> names() const;

    const std::string& get_current_name() const { return current_name_; }
    // Called with the new name whenever another player becomes current (also
    // through the fallback of current()).
    void set_current_listener(std::function<void(const std::string&)> listener) {
        current_listener_ = std::move(listener);
    }

    // A keyed hash no file can steer (Qx::string_hash).
    static size_t hash_name(const std::string& name);

    // The player files of the last load_all that failed to load.
    const std::set<std::string>& get_damaged_files() const { return damaged_files_; }

private:
    // A profile is about to be written to path: a damaged file there moves aside.
    // False when it is still there.
    bool set_aside_damaged(const std::string& path);
    void set_current_name(const std::string& name);

    PlayerMap players_;
    std::string folder_;
    std::string current_name_;
    std::function<void(const std::string&)> current_listener_;
    // Files that held a known name but lost to another file: removed with it.
    std::unordered_map<std::string, std::vector<std::string>, KV_NameHash> shadowed_files_;
    std::set<std::string> damaged_files_;
};

// The one table of the program.
extern KV_PlayerTable g_player_table;
