#pragma once
// The look's window for the whole program, with a GUI and the dialogs' font on it.
#include "support/gui_display.h"

namespace front_end_display {

class FrontEndDisplay : public gui_display::GuiDisplay {
public:
    FrontEndDisplay() : GuiDisplay("karvolt front end test", 800, 600) {}
    void SetUp() override {
        GuiDisplay::SetUp();
        gui = new CL_GUIManager(style);
        font = new CL_Font("my_fnt_4", resources);
    }
    void TearDown() override {
        delete font;
        delete gui;
        GuiDisplay::TearDown();
    }
    static CL_GUIManager* gui;
    static CL_Font* font;
};
inline CL_GUIManager* FrontEndDisplay::gui = nullptr;
inline CL_Font* FrontEndDisplay::font = nullptr;

}  // namespace front_end_display
