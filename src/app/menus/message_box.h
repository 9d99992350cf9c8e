#pragma once
// The program's one modal message: a title, a word-wrapped text and up to three
// buttons, sized to its text and centred on the screen.
#include <ClanLib/Display/font.h>
#include <ClanLib/GUI/window.h>
#include <ClanLib/Signals/slot_container.h>

#include <map>
#include <memory>
#include <string>

class CL_InputEvent;

class KV_MessageBox : public CL_Window {
public:
    // 1, 2 or 3 for the button pressed (1 = the first), -1 when Escape closed it.
    static int show(CL_Component* parent, const std::string& title, const std::string& text,
                    const std::string& caption1, const std::string& caption2 = std::string(),
                    const std::string& caption3 = std::string());

    KV_MessageBox(CL_Component* parent, const std::string& title, const std::string& text,
                  const std::string& caption1, const std::string& caption2, const std::string& caption3);
    ~KV_MessageBox() override;

    int get_result() const { return result_; }
    // "btn_1".."btn_3"; null for a button the box doesn't have.
    CL_Component* get_button(const std::string& name) const;

private:
    void on_button(int number);
    void on_key_down(const CL_InputEvent& key);
    void draw_text();

    std::map<std::string, std::shared_ptr<CL_Component>> components_;
    CL_SlotContainer slots_;
    int result_ = -1;
    std::string title_, text_, caption1_, caption2_, caption3_;
    CL_Font font_;
};
