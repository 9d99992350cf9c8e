#include "app/menus/menu_manager.h"

#include "app/menus/menu_credits.h"
#include "app/menus/menu_demos.h"
#include "app/menus/menu_game.h"
#include "app/menus/menu_main.h"
#include "app/menus/menu_options.h"
#include "app/menus/menu_play.h"
#include "app/menus/modal_run.h"
#include "app/style/focus.h"
#include "foundation/log.h"

namespace {

template <class Menu>
std::shared_ptr<KV_MenuGeneric> make_menu(KV_MenuManager* owner, CL_StyleManager_QX* style,
                                          const std::string& layout) {
    return std::make_shared<Menu>(owner, style, layout);
}

struct MenuEntry {
    const char* log_line;
    const char* name;
    const char* layout;
    std::shared_ptr<KV_MenuGeneric> (*make)(KV_MenuManager*, CL_StyleManager_QX*, const std::string&);
};

// Every screen, in the order it is built. The play, game and demos screens
// join after the credits, in that order, and the options screen last.
const MenuEntry kMenus[] = {
    {"Creating menu Main\n", "menu_main", "Graphics/menu_main.xml", make_menu<KV_Menu_Main>},
    {"Creating menu Credits\n", "menu_credits", "Graphics/menu_credits.xml", make_menu<KV_Menu_Credits>},
    {"Creating menu Play\n", "menu_play", "Graphics/menu_play.xml", make_menu<KV_Menu_Play>},
    {"Creating menu Game\n", "menu_game", "Graphics/menu_game.xml", make_menu<KV_Menu_Game>},
    {"Creating menu Demos\n", "menu_demos", "Graphics/menu_demos.xml", make_menu<KV_Menu_Demos>},
    {"Creating menu Options\n", "menu_options", "Graphics/menu_options.xml", make_menu<KV_Menu_Options>},
};

using Qx::log_line;

}  // namespace

KV_MenuManager::KV_MenuManager(CL_ResourceManager* resources, CL_StyleManager_QX* style)
    : resources_(resources), style_(style) {
    kv_reopen_dialogs();
    for (const MenuEntry& entry : kMenus) {
        log_line(entry.log_line);
        menus_[entry.name] = entry.make(this, style_, entry.layout);
    }
    for (auto& [name, menu] : menus_) {
        QxFocus::focus_next(menu.get());
        menu->disable_input();
    }
    current_ = menus_.at("menu_main");
    current_->enable_input();
    log_line("End of creating menus\n");
}

KV_MenuManager::~KV_MenuManager() {
    current_.reset();
    menus_.clear();
}

void KV_MenuManager::Run() {
    running_ = true;
    do {
        if (Qx::Log::is_enabled()) {
            Qx::g_log.debug("{KV_MenuManager::Run} ");
            Qx::g_log.debug("Real menu run\n");
        }
        current_->run();
    } while (running_);
}

void KV_MenuManager::switch_to(const std::string& name) {
    auto found = menus_.find(name);
    if (found == menus_.end()) {
        if (Qx::Log::is_enabled()) Qx::g_log.debug("KV_MenuManager::switch to (\"%s\") failed\n", name.c_str());
        return;
    }
    current_->stop_input();
    current_ = found->second;
    current_->enable_input_after_keys();
    if (Qx::Log::is_enabled()) Qx::g_log.debug("KV_MenuManager::switch to (\"%s\") success\n", name.c_str());
}

void KV_MenuManager::close() {
    log_line("Closing the window\n");
    kv_close_dialogs();
    running_ = false;
    current_->on_window_close();
}

std::shared_ptr<KV_MenuGeneric> KV_MenuManager::get_menu(const std::string& name) const {
    auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second;
}
