#include "foundation/dir_scanner.h"

#include <sys/stat.h>

#include "foundation/path.h"

namespace Qx {

DirScanner::DirScanner() : directory_(full_path_dir(".")) {}

DirScanner::DirScanner(const std::string& directory, const std::string& pattern, uint32_t flags) {
    open(directory, pattern, flags);
}

DirScanner::~DirScanner() { close(); }

void DirScanner::open(const std::string& directory, const std::string& pattern, uint32_t flags) {
    close();
    directory_ = full_path_dir(directory);
    pattern_ = pattern;
    flags_ = flags;
    first_call_ = true;
    name_.clear();
    is_dir_ = false;
}

void DirScanner::close() {
    if (search_) closedir(search_);
    search_ = nullptr;
}

bool DirScanner::next() {
    if (first_call_) {
        first_call_ = false;
        std::string pattern = native_path(pattern_);
        search_dir_ = directory_ + dir_of_path(pattern);
        mask_ = name_of_path(pattern);
        search_ = opendir(search_dir_.c_str());
    }
    while (search_ && fetch()) {
        if (accepted()) return true;
    }
    return false;
}

bool DirScanner::fetch() {
    for (;;) {
        dirent* e = readdir(search_);
        if (!e) {
            close();
            return false;
        }
        if (!match_mask(mask_, e->d_name)) continue;
        name_ = e->d_name;
        if (e->d_type == DT_DIR) {
            is_dir_ = true;
        } else if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            // Links count as what they point to.
            struct stat st;
            is_dir_ = stat((search_dir_ + name_).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        } else {
            is_dir_ = false;
        }
        return true;
    }
}

bool DirScanner::accepted() const {
    if (!is_dir_) return flags_ & DS_FILES;
    if (!(flags_ & DS_DIRS)) return false;
    if (name_ == "." || name_ == "..") return flags_ & DS_DOT_DIRS;
    return true;
}

std::string DirScanner::get_name_without_ext() const {
    size_t dot = name_.rfind('.');
    return dot == std::string::npos ? name_ : name_.substr(0, dot);
}

std::string DirScanner::get_ext() const {
    size_t dot = name_.rfind('.');
    return dot == std::string::npos ? std::string() : name_.substr(dot + 1);
}

}  // namespace Qx
