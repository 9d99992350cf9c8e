#include "app/players/file_scanner.h"

#include <algorithm>

#include "foundation/dir_scanner.h"
#include "foundation/path.h"

namespace {

std::string ascii_lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

bool signed_less(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<signed char>(x) < static_cast<signed char>(y);
    });
}

std::string without_final_separators(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

// A folder as it is spelled on disk, so a folder stored by a system that
// ignores case still lists on this one.
std::string on_disk_dir(const std::string& dir) {
    std::string found = Qx::resolve_existing_path(without_final_separators(dir));
    if (found.empty()) return dir;
    return found.back() == '/' ? found : found + "/";
}

}  // namespace

KV_FileScanner::KV_FileScanner(const std::string& folder, const std::string& masks)
    : root_(Qx::full_path_dir(folder)) {
    size_t start = 0;
    for (;;) {
        const size_t cut = masks.find(';', start);
        masks_.push_back(masks.substr(start, cut == std::string::npos ? std::string::npos : cut - start));
        if (cut == std::string::npos) break;
        start = cut + 1;
    }
}

std::vector<std::string> KV_FileScanner::scan_files() const {
    std::vector<std::string> names;
    for (const std::string& mask : masks_) {
        Qx::DirScanner scanner(get_current_dir(), mask, Qx::DS_FILES);
        while (scanner.next()) names.push_back(ascii_lower(scanner.get_name()));
    }
    std::sort(names.begin(), names.end(), compare_file_names);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::vector<std::string> KV_FileScanner::scan_dirs() const {
    const uint32_t flags = Qx::DS_DIRS | (relative_.empty() ? 0u : uint32_t(Qx::DS_DOT_DIRS));
    Qx::DirScanner scanner(get_current_dir(), "*.*", flags);
    std::vector<std::string> names;
    while (scanner.next()) names.push_back(scanner.get_name());
    std::sort(names.begin(), names.end());
    return names;
}

bool KV_FileScanner::change_dir(const std::string& path) {
    const std::string candidate = Qx::full_path_dir(root_ + path);
    if (!is_subdirectory(root_, candidate)) return false;
    relative_ = relative_path(root_, on_disk_dir(candidate));
    return true;
}

// The last part may differ in case, as it may on the system the path was stored on.
bool is_directory(const std::string& path) { return Qx::is_directory(without_final_separators(path)); }

bool is_subdirectory(const std::string& root, const std::string& path) {
    return path.size() >= root.size() && path.compare(0, root.size(), root) == 0 && is_directory(path);
}

std::string relative_path(const std::string& root, const std::string& path) {
    if (path.size() < root.size() || path.compare(0, root.size(), root) != 0) return std::string();
    return path.substr(root.size());
}

std::string file_stem(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string file_extension(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool compare_file_names(const std::string& a, const std::string& b) {
    const std::string ext_a = file_extension(a);
    const std::string ext_b = file_extension(b);
    if (ext_a != ext_b) return signed_less(ext_a, ext_b);
    return signed_less(file_stem(a), file_stem(b));
}

bool is_plain_file_name(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}
