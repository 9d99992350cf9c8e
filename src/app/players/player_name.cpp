#include "app/players/player_name.h"

#include "app/players/file_scanner.h"

namespace {

bool is_name_char(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '(' || c == ')' ||
           c == ',' || c == '_';
}

}  // namespace

std::string clean_player_name(const std::string& text) {
    size_t first = 0;
    while (first < text.size() && !is_name_char(text[first])) ++first;
    if (first == text.size()) return std::string();
    size_t last = text.size() - 1;
    while (!is_name_char(text[last])) --last;
    std::string name;
    for (size_t i = first; i <= last; ++i)
        if (is_name_char(text[i]) || text[i] == ' ') name += text[i];
    return name;
}

bool is_valid_player_name(const std::string& name) {
    return !name.empty() && name.size() <= KV_MAX_PLAYER_NAME && clean_player_name(name) == name;
}

bool is_loadable_player_name(const std::string& name) {
    // The longest file name the system takes.
    constexpr size_t kMaxFileName = 255;
    const std::string file = name + ".bts";
    return !name.empty() && file.size() <= kMaxFileName && is_plain_file_name(file);
}
