#include "foundation/path.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace Qx {

namespace {

bool is_separator(char c) { return c == '/' || c == '\\'; }

std::string working_directory() {
    std::vector<char> buf(256);
    for (;;) {
        if (getcwd(buf.data(), buf.size())) return std::string(buf.data());
        if (errno != ERANGE || buf.size() > (1u << 20)) return std::string();
        buf.resize(buf.size() * 2);
    }
}

bool has_wildcards(const std::string& s) { return s.find_first_of("*?[") != std::string::npos; }

// Name in the given directory matching name ignoring case; the smallest such
// name byte-wise, so the choice does not hang on the directory's order.
std::string find_name_ignoring_case(const std::string& dir, const std::string& name) {
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return std::string();
    std::string best;
    while (dirent* e = readdir(d)) {
        if (strcasecmp(e->d_name, name.c_str()) != 0) continue;
        if (best.empty() || best.compare(e->d_name) > 0) best = e->d_name;
    }
    closedir(d);
    return best;
}

}  // namespace

std::string native_path(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::string full_path(const std::string& path) {
    if (path.empty()) return std::string();
    std::string p = native_path(path);
    if (p[0] != '/') {
        std::string cwd = working_directory();
        if (cwd.empty()) return std::string();
        p = cwd + "/" + p;
    }
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < p.size()) {
        size_t j = p.find('/', i);
        if (j == std::string::npos) j = p.size();
        std::string part = p.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out;
    for (const std::string& part : parts) out += "/" + part;
    if (out.empty()) return "/";
    if (is_separator(path.back())) out += "/";
    return out;
}

std::string full_path_dir(const std::string& path) {
    std::string out = full_path(path);
    if (out.empty()) return "./";
    if (!is_separator(out.back())) out += "/";
    return out;
}

std::string module_path(const void* module) {
    if (module) {
        Dl_info info;
        if (dladdr(module, &info) && info.dli_fname) return full_path(info.dli_fname);
        return std::string();
    }
    std::vector<char> buf(256);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return std::string();
        if (size_t(n) < buf.size()) return std::string(buf.data(), size_t(n));
        if (buf.size() > (1u << 20)) return std::string();
        buf.resize(buf.size() * 2);
    }
}

std::string dir_of_path(const std::string& path) {
    size_t pos = path.find_last_of("/\\");
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string name_of_path(const std::string& path) {
    size_t pos = path.find_last_of("/\\");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string resolve_existing_path(const std::string& path) {
    std::string p = native_path(path);
    if (p.empty()) return std::string();
    struct stat st;
    if (stat(p.c_str(), &st) == 0) return p;
    std::string dir = dir_of_path(p);
    std::string name = name_of_path(p);
    if (name.empty() || name == "." || name == "..") return std::string();
    std::string found = find_name_ignoring_case(dir, name);
    if (found.empty()) return std::string();
    return dir + found;
}

bool match_mask(const std::string& mask, const std::string& name) {
    if (mask == "*.*") return true;
    return fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

bool file_exists(const std::string& path) {
    std::string p = native_path(path);
    std::string name = name_of_path(p);
    if (!has_wildcards(name)) {
        std::string found = resolve_existing_path(p);
        if (found.empty()) return false;
        struct stat st;
        return stat(found.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
    }
    // Like a directory search: the first matching entry decides.
    std::string dir = dir_of_path(p);
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return false;
    bool result = false;
    while (dirent* e = readdir(d)) {
        if (!match_mask(name, e->d_name)) continue;
        struct stat st;
        result = stat((dir + e->d_name).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
        break;
    }
    closedir(d);
    return result;
}

bool is_directory(const std::string& path) {
    std::string found = resolve_existing_path(path);
    struct stat st;
    return !found.empty() && stat(found.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool create_directory(const std::string& path) {
    std::string p = native_path(path);
    return !p.empty() && mkdir(p.c_str(), 0777) == 0;
}

bool delete_file(const std::string& path) {
    const std::string target = native_path(path);
    struct stat st;
    if (target.empty() || lstat(target.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return unlink(target.c_str()) == 0;
}

std::string last_error_text() {
    int code = errno;
    char buf[256];
    const char* text = strerror_r(code, buf, sizeof buf);
    if (!text || !*text || strncmp(text, "Unknown error", 13) == 0) return "UnknownError";
    return text;
}

}  // namespace Qx
