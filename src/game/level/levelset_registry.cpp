#include "game/level/levelset_registry.h"

#include <map>

namespace {

// Ordered byte by byte, so "d??" comes before "dat"; look-ups and the filter
// follow this order.
std::map<std::string, std::shared_ptr<KV_LevelSetBase>>& levelset_formats() {
    static std::map<std::string, std::shared_ptr<KV_LevelSetBase>> formats;
    return formats;
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool pattern_matches(const std::string& pattern, const std::string& ext) {
    if (pattern.size() != ext.size()) return false;
    for (size_t i = 0; i < ext.size(); ++i) {
        if (pattern[i] == '?') {
            if (ext[i] < '0' || ext[i] > '9') return false;
        } else if (ascii_lower(pattern[i]) != ascii_lower(ext[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool register_levelset_format(const std::string& pattern, std::shared_ptr<KV_LevelSetBase> prototype) {
    return levelset_formats().emplace(pattern, std::move(prototype)).second;
}

std::string extension_of(const std::string& path) {
    const size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::shared_ptr<KV_LevelSetBase> find_levelset_format(const std::string& path) {
    const std::string ext = extension_of(path);
    if (ext.empty()) return nullptr;
    for (const auto& entry : levelset_formats())
        if (entry.second && pattern_matches(entry.first, ext)) return entry.second->Create();
    return nullptr;
}

std::shared_ptr<KV_LevelSetBase> open_levelset(const std::string& path) {
    std::shared_ptr<KV_LevelSetBase> set = find_levelset_format(path);
    if (!set || !set->Load(path)) return nullptr;
    return set;
}

std::string levelset_file_filter() {
    std::string filter;
    for (const auto& entry : levelset_formats()) filter += "*." + entry.first + ";";
    return filter;
}
