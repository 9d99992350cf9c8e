#pragma once
// What the command-line tools share: key scripts in the "MASKxCOUNT,..." form
// of the solution files, loading one level of a set without a display, and
// writing a run as a demo file.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/level/level.h"
#include "game/level/level_base.h"
#include "game/play/key_stream.h"

struct KV_KeyRun {
    int32_t mask;
    uint64_t count;
    bool operator==(const KV_KeyRun& o) const { return mask == o.mask && count == o.count; }
};

// Digits only, at most `max`.
bool kv_parse_number(const std::string& s, uint64_t max, uint64_t& out);
// "MASKxCOUNT,..."; a bare MASK counts once. Empty: no key at all.
bool kv_parse_keys(const std::string& text, std::vector<KV_KeyRun>& out);
// The runs back in that form, neighbours of one mask merged.
std::string kv_format_keys(const std::vector<KV_KeyRun>& runs);
uint64_t kv_key_ticks(const std::vector<KV_KeyRun>& runs);

// Hands out the runs tick by tick; the last mask repeats past their end.
class KV_KeyScript {
public:
    explicit KV_KeyScript(std::vector<KV_KeyRun> runs) : runs_(std::move(runs)) {}
    int32_t next();

private:
    std::vector<KV_KeyRun> runs_;
    size_t i_ = 0;
    uint64_t used_ = 0;
};

// One level of a set file, as loaded: the set, the level's record and its number.
struct KV_LoadedLevel {
    std::string set_path;
    std::shared_ptr<KV_LevelSetBase> set;
    std::shared_ptr<KV_LevelBase> record;
    int number = 0;

    // A fresh field of the level seeded with `seed`; empty when it does not convert.
    std::shared_ptr<KV_Level> fresh_field(uint32_t seed) const;
};

// The set at `path`; false with the reason in `error` ("PATH: not a level set that loads").
bool kv_open_set(const std::string& path, KV_LoadedLevel& out, std::string& error);
// Level `number` of an opened set; false with the reason ("PATH: no level N (the set holds M)").
bool kv_pick_level(KV_LoadedLevel& level, uint64_t number, std::string& error);

// The run as a demo file (the set's file name and the level number in it, no
// player, no date); false with the reason.
bool kv_save_demo(const KV_LoadedLevel& level, const KV_KeyStream& keys, uint32_t seed, const std::string& path,
                  std::string& error);
