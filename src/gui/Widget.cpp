#include "gui/Widget.h"

// PLACEHOLDER implementation.

namespace gui
{

Widget::Widget(Game* owner, int x, int y, int width, int height)
    : owner(owner), x(x), y(y), width(width), height(height)
{
}

Widget::~Widget()
{
    for (Widget* child : children)
        delete child;
}

void Widget::draw(sf::RenderTarget& target, float dt)
{
    if (!visible)
        return;
    for (Widget* child : children)
        child->draw(target, dt);
}

Widget* Widget::getWidgetAt(int px, int py, Widget* found)
{
    if (!visible || !enabled)
        return found;
    if (px >= x && px < x + width && py >= y && py < y + height)
        found = this;
    return found;
}

void Widget::addChild(Widget* child)
{
    child->parent = this;
    children.push_back(child);
}

} // namespace gui
