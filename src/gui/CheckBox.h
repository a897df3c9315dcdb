#ifndef QUILLFENN_GUI_CHECKBOX_H
#define QUILLFENN_GUI_CHECKBOX_H

#include "gui/Widget.h"

#include <functional>
#include <string>

namespace gui
{

class Text;

// A small box with a label to its right; a left click toggles the mark,
// a right click has a handler of its own.
class CheckBox : public Widget
{
public:
    // Side of the box in pixels.
    static constexpr int boxSize = 9;

    // Gap between the box and its label.
    static constexpr int labelGap = 3;

    CheckBox(Game* game, int left, int top, const std::string& text);

    // Sets the mark without calling onChange.
    void setChecked(bool value);

    // Replaces the label and fits the width to it.
    void setLabel(const std::string& text);

    // Draws the box, its mark and hover look, then the label.
    void draw(sf::RenderTarget& target, float dt) override;

    // Left click: toggle and onChange; right click: onRightClick.
    bool handleEvent(const sf::Event& event, int& handled) override;

    // The check box itself, never its label.
    Widget* getWidgetAt(int px, int py, Widget* found) override;

    bool checked = false;
    Text* label = nullptr;
    int pressedButton = -1;
    std::function<void(bool)> onChange;
    std::function<void()> onRightClick;
};

} // namespace gui

#endif
