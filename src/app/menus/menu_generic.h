#pragma once
// The base of every menu screen: a GUI manager whose components come from one
// XML layout, run frame by frame until the screen asks to leave.
#include <ClanLib/Core/System/keep_alive.h>
#include <ClanLib/GUI/gui_manager.h>
#include <ClanLib/Signals/slot_container.h>

#include <memory>
#include <string>

class CL_Component;
class CL_ComponentManager;
class CL_StyleManager_QX;
class KV_MenuManager;

class KV_MenuGeneric : public CL_GUIManager {
public:
    // The layout path is relative to the working folder ("Graphics/menu_main.xml").
    KV_MenuGeneric(KV_MenuManager* owner, CL_StyleManager_QX* style, const std::string& layout);
    ~KV_MenuGeneric() override;
    KV_MenuGeneric(const KV_MenuGeneric&) = delete;
    KV_MenuGeneric& operator=(const KV_MenuGeneric&) = delete;

    // Drawn first whenever the GUI paints: black here, a screen's background sprite in the screens.
    virtual void draw_background();
    // Every screen implements it by calling KV_MenuGeneric::change_menu, which asks
    // the manager for the named screen and ends this screen's run.
    virtual void change_menu(const std::string& name) = 0;
    virtual void on_focus_changed(CL_Component* component);
    // One frame: paint the GUI, flip, and let ClanLib deliver input, timers and
    // keep-alive objects (with a 10 ms sleep).
    virtual void run_frame();

    // The window's close button, with this screen current (the manager has
    // stopped its loop already): this screen's run ends.
    virtual void on_window_close() { leave(); }

    // Turns the input on, but while a key the screens act on is held (the one
    // that opened this screen or closed a dialog) only once it is released:
    // its repeats belong to what came before.
    void enable_input_after_keys();
    // Turns the input off, and a wait for released keys with it.
    void stop_input();

    // Runs frames until the leave flag is set; at least one frame runs.
    void run();
    // Ends this screen's run without asking for another.
    void leave() { leave_ = true; }
    // Ends this screen's run and the manager's loop.
    void quit();

    bool is_leaving() const { return leave_; }
    KV_MenuManager* get_owner() const { return owner_; }
    CL_StyleManager_QX* get_style() const { return style_; }
    CL_ComponentManager* get_components() const { return components_.get(); }

protected:
    CL_SlotContainer slots_;

private:
    // Checks in every keep-alive pass (the screen's frames and a dialog's
    // loop alike) whether the held keys are up.
    class KeyWait : public CL_KeepAlive {
    public:
        explicit KeyWait(KV_MenuGeneric& menu) : menu_(menu) {}
        void keep_alive() override;
        bool waiting = false;

    private:
        KV_MenuGeneric& menu_;
    };

    KeyWait key_wait_{*this};
    KV_MenuManager* owner_;
    CL_StyleManager_QX* style_;
    bool leave_ = false;
    std::unique_ptr<CL_ComponentManager> components_;
};
