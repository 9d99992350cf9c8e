#pragma once
// Lists the files of one folder tree that the menus offer: plain names,
// lower-cased, in a fixed order and without duplicates, so a list looks the
// same on every run.
#include <string>
#include <vector>

class KV_FileScanner {
public:
    // masks: ';'-separated, every piece kept, empty ones included (they match nothing).
    KV_FileScanner(const std::string& folder, const std::string& masks);

    // The names of the current folder's files that match a mask: lower-cased
    // (A-Z only), ordered by compare_file_names, each listed once.
    std::vector<std::string> scan_files() const;
    // The current folder's subfolders as found, in byte order; "." and ".."
    // only below the root.
    std::vector<std::string> scan_dirs() const;
    // path is taken from the root, never the current folder; false, and nothing
    // changed, for a missing folder, a file, or anything outside the root.
    bool change_dir(const std::string& path);

    std::string get_current_dir() const { return root_ + relative_; }
    // Ends in a separator; empty for the root itself.
    const std::string& get_relative_dir() const { return relative_; }
    const std::string& get_root() const { return root_; }
    const std::vector<std::string>& get_masks() const { return masks_; }

private:
    std::string root_;
    std::string relative_;
    std::vector<std::string> masks_;
};

// The path exists and is a folder.
bool is_directory(const std::string& path);
// path begins with exactly the bytes of root and is an existing folder.
bool is_subdirectory(const std::string& root, const std::string& path);
// The rest of path after root; empty when path does not begin with root.
std::string relative_path(const std::string& root, const std::string& path);
// Before the last '.'; the whole name without one.
std::string file_stem(const std::string& name);
// After the last '.'; empty without one.
std::string file_extension(const std::string& name);
// Extension first, then stem; bytes compare as signed values, so names with
// bytes of 0x80 and above sort before plain ASCII.
bool compare_file_names(const std::string& a, const std::string& b);
// A name that stays in the folder it is joined to: not empty, no separator or
// NUL, not "." or "..".
bool is_plain_file_name(const std::string& name);
