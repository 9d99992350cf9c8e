#pragma once
// The program's main loop: every menu screen under its name, the current one
// run until it asks to leave, again and again until the user quits.
#include <map>
#include <memory>
#include <string>

class CL_ResourceManager;
class CL_StyleManager_QX;
class KV_MenuGeneric;

class KV_MenuManager {
public:
    // Builds every screen, gives each the focus of its first component in tab
    // order with its input off, then makes "menu_main" current with input on.
    KV_MenuManager(CL_ResourceManager* resources, CL_StyleManager_QX* style);
    ~KV_MenuManager();
    KV_MenuManager(const KV_MenuManager&) = delete;
    KV_MenuManager& operator=(const KV_MenuManager&) = delete;

    // Returns once quit has been called.
    void Run();
    // Makes the named screen current; an unknown name changes nothing. Either way
    // only the log tells.
    void switch_to(const std::string& name);
    // Empty for an unknown name.
    std::shared_ptr<KV_MenuGeneric> get_menu(const std::string& name) const;
    CL_ResourceManager* get_resources() const { return resources_; }
    void quit() { running_ = false; }
    // The window's close button: the program ends as by Quit, from any screen.
    // Open dialogs end as if cancelled, a game in progress as if by Escape.
    void close();

    const std::shared_ptr<KV_MenuGeneric>& get_current() const { return current_; }
    bool is_running() const { return running_; }

private:
    CL_ResourceManager* resources_;
    CL_StyleManager_QX* style_;
    std::map<std::string, std::shared_ptr<KV_MenuGeneric>> menus_;
    std::shared_ptr<KV_MenuGeneric> current_;
    bool running_ = false;
};
