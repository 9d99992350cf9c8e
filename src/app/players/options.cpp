#include "app/players/options.h"

#include <cerrno>
#include <cstdint>

#include "app/players/save_report.h"

bool KV_Options::load(const std::string& path) {
    Qx::BtsFolder top;
    if (!top.load(path)) return false;
    load_folder(top);
    return true;
}

void KV_Options::load_folder(const Qx::BtsFolder& top) {
    int32_t music = 1;
    top.get_int32("music", music, 1);
    music_ = music != 0;
    top.get_string("player", player_, "");
}

Qx::BtsFolderPtr KV_Options::to_folder() const {
    auto top = std::make_shared<Qx::BtsFolder>();
    top->set_int32("music", music_ ? 1 : 0);
    if (!player_.empty()) top->set_string("player", player_);
    return top;
}

bool KV_Options::save(const std::string& path) const {
    errno = 0;
    if (to_folder()->save(path)) return true;
    kv_report_failed_save(path);
    return false;
}
