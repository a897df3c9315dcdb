#include "gui/CheckBox.h"

#include "game/Game.h"
#include "gui/Button.h"
#include "gui/Shapes.h"
#include "gui/Text.h"
#include "gui/UI.h"

#include <algorithm>

namespace gui
{

CheckBox::CheckBox(Game* game, int left, int top, const std::string& text)
    : Widget(game, left, top, boxSize, boxSize)
{
    type = TypeCheckBox;
    label = new Text(game, boxSize + labelGap, 0, 0, boxSize);
    addChild(label);
    setLabel(text);
}

void CheckBox::setChecked(bool value)
{
    checked = value;
}

void CheckBox::setLabel(const std::string& text)
{
    label->setText(text);
    label->width = label->getTextSize().x;
    width = boxSize + labelGap + label->width;
}

void CheckBox::draw(sf::RenderTarget& target, float dt)
{
    if (!visible)
        return;
    sf::Vector2i position = getAbsolutePosition();
    sf::IntRect box(position.x, position.y, boxSize, boxSize);
    fillRect(target, box, owner->lightColor);
    outlineRect(target, box, owner->darkColor);
    bool hover = isEnabled() && owner->ui && owner->ui->hovered == this;
    if (hover)
        ditherRect(target, sf::IntRect(box.left + 2, box.top + 2, boxSize - 4, boxSize - 4),
                   owner->darkColor);
    if (checked)
        fillRect(target, sf::IntRect(box.left + 2, box.top + 2, boxSize - 4, boxSize - 4),
                 owner->darkColor);
    Widget::draw(target, dt);
}

bool CheckBox::handleEvent(const sf::Event& event, int& handled)
{
    bool taken = false;
    int clicked = Button::trackClick(*this, event, handled, pressedButton, taken);
    if (clicked == sf::Mouse::Left)
    {
        owner->playSound("click");
        checked = !checked;
        if (onChange)
            onChange(checked);
    }
    else if (clicked == sf::Mouse::Right)
    {
        owner->playSound("click");
        if (onRightClick)
            onRightClick();
    }
    if (taken)
        handled = 1;
    return taken;
}

Widget* CheckBox::getWidgetAt(int px, int py, Widget* found)
{
    if (!visible || !enabled)
        return found;
    return containsPoint(px, py) ? this : found;
}

} // namespace gui
