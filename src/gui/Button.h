#ifndef QUILLFENN_GUI_BUTTON_H
#define QUILLFENN_GUI_BUTTON_H

#include "gui/Widget.h"

#include <functional>
#include <string>

namespace gui
{

class Image;
class Panel;
class Text;

// A clickable control: framed text (style 0), bare icon (style 1) or framed
// icon (style 2). It draws its own looks: hovered (highlight inside the
// frame, icon lifted), pressed (moved one pixel down and right, no shadow)
// and disabled (faded by a dither of the light colour).
class Button : public Widget
{
public:
    enum Style
    {
        StyleText = 0,
        StyleIcon = 1,
        StyleFramedIcon = 2
    };

    Button(Game* game, int left, int top, int w, int h, int look);

    // Sets the label of a text button and its font.
    void setLabel(const std::string& text, int font);

    // Sets the icon of an icon button.
    void setSprite(sf::Sprite* sprite);

    // True while the last known mouse position is over this button.
    bool isHovered() const;

    // Draws the button in its current look.
    void draw(sf::RenderTarget& target, float dt) override;

    // Fits the frame, label and icon to the button's size.
    void layout() override;

    // A left press then a left release inside, not covered by anything above, is a click.
    bool handleEvent(const sf::Event& event, int& handled) override;

    // The button itself, never one of its parts: it is one control.
    Widget* getWidgetAt(int px, int py, Widget* found) override;

    // Press tracking shared by clickable widgets: arms on a press inside that
    // nothing above took, completes on a release inside. Returns the mouse
    // button of a completed click or -1; taken tells whether the event was consumed.
    static int trackClick(Widget& widget, const sf::Event& event, int& handled,
                          int& pressedButton, bool& taken);

    int style;
    Panel* panel = nullptr;
    Text* label = nullptr;
    Image* image = nullptr;
    int pressedButton = -1;

    // Off when the caller swaps in a disabled sprite of its own.
    bool disabledLook = true;

    std::function<void()> onClick;
};

} // namespace gui

#endif
