#include "support/level_run.h"

#include <cinttypes>
#include <cstdlib>

#include "foundation/bts_folder.h"
#include "game/level/levelset_registry.h"
#include "game/play/demo.h"

bool kv_parse_number(const std::string& s, uint64_t max, uint64_t& out) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos || s.size() > 19) return false;
    out = std::strtoull(s.c_str(), nullptr, 10);
    return out <= max;
}

bool kv_parse_keys(const std::string& text, std::vector<KV_KeyRun>& out) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        const size_t x = item.find('x');
        uint64_t mask = 0, count = 1;
        if (!kv_parse_number(item.substr(0, x), 0xffff, mask)) return false;
        if (x != std::string::npos && !kv_parse_number(item.substr(x + 1), UINT32_MAX, count)) return false;
        out.push_back({int32_t(mask), count});
        start = end + 1;
    }
    return true;
}

std::string kv_format_keys(const std::vector<KV_KeyRun>& runs) {
    std::vector<KV_KeyRun> merged;
    for (const KV_KeyRun& r : runs) {
        if (r.count == 0) continue;
        if (!merged.empty() && merged.back().mask == r.mask)
            merged.back().count += r.count;
        else
            merged.push_back(r);
    }
    std::string out;
    for (const KV_KeyRun& r : merged) {
        if (!out.empty()) out += ',';
        out += std::to_string(r.mask) + "x" + std::to_string(r.count);
    }
    return out;
}

uint64_t kv_key_ticks(const std::vector<KV_KeyRun>& runs) {
    uint64_t n = 0;
    for (const KV_KeyRun& r : runs) n += r.count;
    return n;
}

int32_t KV_KeyScript::next() {
    while (i_ < runs_.size() && used_ >= runs_[i_].count) {
        ++i_;
        used_ = 0;
    }
    if (i_ < runs_.size()) {
        ++used_;
        return runs_[i_].mask;
    }
    return runs_.empty() ? 0 : runs_.back().mask;
}

std::shared_ptr<KV_Level> KV_LoadedLevel::fresh_field(uint32_t seed) const {
    if (!record) return nullptr;
    std::shared_ptr<KV_Level> field = record->ToGenericLevel();
    if (field) field->set_random_seed(seed);
    return field;
}

bool kv_open_set(const std::string& path, KV_LoadedLevel& out, std::string& error) {
    out = KV_LoadedLevel();
    out.set_path = path;
    out.set = open_levelset(path);
    if (!out.set) {
        error = path + ": not a level set that loads";
        return false;
    }
    return true;
}

bool kv_pick_level(KV_LoadedLevel& level, uint64_t number, std::string& error) {
    level.record = number <= uint64_t(INT32_MAX) ? level.set->GetLevel(int(number)) : nullptr;
    if (!level.record) {
        error = level.set_path + ": no level " + std::to_string(number) + " (the set holds " +
                std::to_string(level.set->GetCount()) + ")";
        return false;
    }
    level.number = int(number);
    return true;
}

namespace {
std::string file_name_of(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

bool kv_save_demo(const KV_LoadedLevel& level, const KV_KeyStream& keys, uint32_t seed, const std::string& path,
                  std::string& error) {
    KV_Demo demo(level.record, keys, seed);
    demo.SetLevelset(file_name_of(level.set_path));
    demo.SetLevelNumber(int32_t(level.number));
    const Qx::BtsFolderPtr tree = demo.Save();
    if (!tree || !tree->save(path)) {
        error = path + ": the demo could not be written";
        return false;
    }
    return true;
}
