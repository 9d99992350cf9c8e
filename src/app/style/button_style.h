// The look of every button: a text button is its centred text, brightening while the
// mouse is over it; a bitmap button shows one of four images by its state.
#pragma once

#include <ClanLib/Core/Math/point.h>
#include <ClanLib/GUI/component_style.h>
#include <ClanLib/Signals/slot_container.h>

#include <string>

class CL_Button;
class CL_DomElement;
class CL_Font;
class CL_ResourceManager;
class CL_Size;
class CL_Surface;
class CL_Timer;
class CL_StyleManager_QX;

namespace QxButtonLook {

enum Type { Text = 0, Bitmap = 1 };
enum Size { Normal = 0, Big = 1 };
// Which font a button holds after its options are read.
enum FontChoice { KeepFont, AttributeFont, NormalFont, BigFont };

// What a layout element says about a button.
struct Options {
    bool has_font = false;
    bool has_text = false;
    std::string type, size;  // absent attributes read as empty
};

struct Result {
    int type, size;
    FontChoice font;
};

// The rule that turns a button's attributes into its kind, size and font. `has_up_image`
// says whether the button holds an up image once its surfaces are read.
Result apply_options(const Options& options, int type, int size, bool has_up_image);

// One 10 ms step of the highlight fade; clears `running` when the fade reaches its end.
int fade_step(int brightness, bool fading_in, bool& running);

// Where a text button's text starts, relative to the button.
CL_Point text_offset(int width, int height, int text_width, int font_height, bool drawn_down);

enum Image { Up = 0, Down = 1, Highlighted = 2, Disabled = 3, NoImage = -1 };
// The image a bitmap button shows: its state's, else the up image, else none.
Image choose_image(bool pressed, bool highlighted, bool enabled, const bool held[4]);

}  // namespace QxButtonLook

class CL_Button_QX : public CL_ComponentStyle {
public:
    CL_Button_QX(CL_Button* button, CL_StyleManager_QX* manager);
    ~CL_Button_QX() override;

    void set_type(int type);
    // Each non-null surface replaces the one held; the style owns them.
    void set_surfaces(CL_Surface* up, CL_Surface* down, CL_Surface* highlighted, CL_Surface* disabled);

    int get_type() const { return button_type; }
    int get_size() const { return button_size; }
    int get_brightness() const { return brightness; }
    bool is_pressed() const { return pressed; }
    CL_Font* get_font() const { return font; }

private:
    void refresh();
    void replace_font(const std::string& id);
    void replace_surface(CL_Surface*& held, CL_Surface* given);

    void read_options(const CL_DomElement& element);
    void on_paint();
    void paint_text();
    void paint_bitmap();
    void on_get_preferred_size(CL_Size& size);
    void on_mouse_enter();
    void on_mouse_leave();
    void on_fade_timer();
    void on_pressed();
    void on_released();

    CL_Button* button;
    CL_StyleManager_QX* style_manager;
    CL_ResourceManager* resources;
    int button_type = QxButtonLook::Text;
    int button_size = QxButtonLook::Normal;
    bool highlighted = false;
    bool pressed = false;
    int brightness = 200;
    bool fading_in = false;
    CL_Timer* fade_timer = nullptr;
    CL_Font* font = nullptr;
    CL_Surface* surfaces[4] = {nullptr, nullptr, nullptr, nullptr};  // by QxButtonLook::Image
    CL_SlotContainer slots;
};
