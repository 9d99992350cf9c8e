#pragma once
// The settings that belong to no player: music on or off, and the player who
// was current at the last normal exit. Kept in "options.bts".
#include <string>

#include "foundation/bts_folder.h"

class KV_Options {
public:
    static constexpr const char* FILE_NAME = "options.bts";

    KV_Options() = default;

    bool get_music() const { return music_; }
    void set_music(bool on) { music_ = on; }
    std::string get_player() const { return player_; }
    void set_player(const std::string& name) { player_ = name; }

    // False, the settings unchanged, when the file can't be loaded.
    bool load(const std::string& path = FILE_NAME);
    // A failed write is reported as well as returned.
    bool save(const std::string& path = FILE_NAME) const;

    // The file's tree, and its reading (load without the file).
    Qx::BtsFolderPtr to_folder() const;
    void load_folder(const Qx::BtsFolder& top);

private:
    bool music_ = true;
    std::string player_;
};
