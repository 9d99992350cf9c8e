#pragma once
// Lists the entries of one directory that match a mask (ignoring case).
#include <dirent.h>

#include <cstdint>
#include <string>

namespace Qx {

enum DirScanFlags : uint32_t {
    DS_DIRS = 1,      // accept directories
    DS_FILES = 2,     // accept everything that is not a directory
    DS_DOT_DIRS = 4,  // keep "." and ".." (with DS_DIRS)
};

class DirScanner {
public:
    // The working directory, every name, files only.
    DirScanner();
    DirScanner(const std::string& directory, const std::string& pattern, uint32_t flags);
    ~DirScanner();
    DirScanner(const DirScanner&) = delete;
    DirScanner& operator=(const DirScanner&) = delete;

    // The search itself starts at the next call of next().
    void open(const std::string& directory, const std::string& pattern, uint32_t flags);
    // Moves to the next accepted entry, in the system's order; false at the end.
    bool next();
    void close();

    const std::string& get_name() const { return name_; }
    const std::string& get_dir() const { return directory_; }
    std::string get_full_name() const { return directory_ + name_; }
    std::string get_name_without_ext() const;
    std::string get_ext() const;
    bool is_dir() const { return is_dir_; }

private:
    bool fetch();
    bool accepted() const;

    DIR* search_ = nullptr;
    std::string search_dir_;  // directory plus any folder part of the pattern
    std::string mask_;        // the last part of the pattern
    std::string name_;
    bool is_dir_ = false;
    uint32_t flags_ = DS_FILES;
    bool first_call_ = true;
    std::string directory_;
    std::string pattern_ = "*.*";
};

}  // namespace Qx
