#pragma once
// A player profile: name, game speed, the level set and demo last chosen, the
// scanners over the level and demo folders, the open level set, and the
// progress in every level set played. Stored as one BTS file per player.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "app/players/file_scanner.h"
#include "app/players/levelset_stat.h"
#include "foundation/bts_folder.h"
#include "game/level/level_base.h"

// The string hash of the player table's keys (KV_PlayerTable::hash_name).
struct KV_NameHash {
    size_t operator()(const std::string& s) const;
};

// The most level sets a profile keeps progress for; a file with more is refused.
constexpr size_t KV_MAX_PROGRESS_ENTRIES = 10000;

class KV_Player {
public:
    static constexpr int32_t DEFAULT_GAME_SPEED = 50;
    static constexpr int32_t MIN_GAME_SPEED = 1;
    static constexpr int32_t MAX_GAME_SPEED = 1000;

    // All defaults and no scanners: a profile about to be loaded from its file.
    KV_Player();
    // A new profile with its scanners over "Levels\" and "Demos\".
    explicit KV_Player(const std::string& name);

    std::string get_name() const { return name_; }
    std::string get_levelset_name() const { return levelset_name_; }
    void set_levelset_name(const std::string& name) { levelset_name_ = name; }
    std::string get_demo_name() const { return demo_name_; }
    void set_demo_name(const std::string& name) { demo_name_ = name; }

    std::shared_ptr<KV_FileScanner> get_level_scanner() const { return level_scanner_; }
    std::shared_ptr<KV_FileScanner> get_demo_scanner() const { return demo_scanner_; }

    std::shared_ptr<KV_LevelSetBase> get_levelset() const { return levelset_; }
    // A stored current level outside the new set falls back to 0 here, before
    // anything indexes the set or its states with it.
    void set_levelset(std::shared_ptr<KV_LevelSetBase> set);

    int32_t get_game_speed() const { return game_speed_; }
    // Outside 1..1000 stores 50.
    void set_game_speed(int32_t speed);

    // The progress in the current level set, made when missing (also with no set
    // chosen); kept only while the profile holds fewer than KV_MAX_PROGRESS_ENTRIES.
    std::shared_ptr<KV_LevelsetStat> get_levelset_stat();
    int32_t get_current_level_number();
    // n when a set is open and n is one of its levels, else 0.
    void set_current_level_number(int32_t n);
    // A fresh level object of the open set, or empty.
    std::shared_ptr<KV_LevelBase> get_current_level();

    bool save(const std::string& path) const;
    // False, and the profile unchanged, for a file that doesn't load, holds no
    // acceptable name or more than a profile may hold; why, when given, then
    // says which. Remembers the path on success.
    bool load(const std::string& path, std::string* why = nullptr);

    // The player file's tree, and its reading (load without the file).
    Qx::BtsFolderPtr to_folder() const;
    bool load_folder(const Qx::BtsFolder& top, std::string* why = nullptr);
    // The file this profile was loaded from; empty for a new one.
    const std::string& get_loaded_file() const { return loaded_file_; }

    using StatMap = std::unordered_map<std::string, std::shared_ptr<KV_LevelsetStat>, KV_NameHash>;
    const StatMap& get_stats() const { return stats_; }

private:
    void make_scanners();
    std::string stat_key() const;
    std::string level_dir() const;

    std::string name_;
    std::string levelset_name_;
    std::string demo_name_;
    int32_t game_speed_ = DEFAULT_GAME_SPEED;
    std::shared_ptr<KV_FileScanner> level_scanner_;
    std::shared_ptr<KV_FileScanner> demo_scanner_;
    std::shared_ptr<KV_LevelSetBase> levelset_;
    StatMap stats_;
    std::string loaded_file_;
};
