#pragma once
// Path helpers. Paths may use '\' or '/' alike; the system is always handed '/'.
#include <string>

namespace Qx {

// The path with every '\' turned into '/', as the system wants it.
std::string native_path(const std::string& path);

// The absolute form of path, made lexically: the working directory + path, with "."
// and ".." folded (no link is resolved). A final separator on path is kept.
std::string full_path(const std::string& path);

// full_path as a directory: always ends in '/' ("./" when there is nothing to show).
std::string full_path_dir(const std::string& path);

// The path of the program's file (module null) or of the loaded object that holds the
// address module.
std::string module_path(const void* module = nullptr);

// Everything up to and including the last '\' or '/'; empty when there is none.
std::string dir_of_path(const std::string& path);

// The part after the last '\' or '/'.
std::string name_of_path(const std::string& path);

// The existing entry that path names, in native form: path itself when it exists,
// else the entry of its folder whose name matches the last part ignoring case.
// Empty when neither exists.
std::string resolve_existing_path(const std::string& path);

// True for an existing entry that is not a directory. A last part with wildcards
// matches like a directory search, ignoring case.
bool file_exists(const std::string& path);

// True when path (or its case-insensitive match) is an existing directory.
bool is_directory(const std::string& path);

// Makes one directory; true when it was made.
bool create_directory(const std::string& path);

// Removes the file named exactly (never a directory, never one that matches only
// ignoring case); true when it was removed.
bool delete_file(const std::string& path);

// Matches a file name against a mask ignoring case; "*.*" matches every name.
bool match_mask(const std::string& mask, const std::string& name);

// The system's text for the calling thread's last error code; "UnknownError" when
// the system has none.
std::string last_error_text();

}  // namespace Qx
