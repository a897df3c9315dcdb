#include "gui/Widget.h"

#include "game/Game.h"
#include "gui/UI.h"

#include <algorithm>

namespace gui
{

Widget::Widget()
{
}

Widget::Widget(Game* game, int left, int top, int w, int h)
    : owner(game), x(left), y(top), width(w), height(h)
{
}

Widget::~Widget()
{
    for (Widget* child : children)
        delete child;
    children.clear();
}

void Widget::draw(sf::RenderTarget& target, float dt)
{
    if (!visible)
        return;
    for (Widget* child : children)
        child->draw(target, dt);
}

void Widget::update(int)
{
}

void Widget::layout()
{
}

bool Widget::handleEvent(const sf::Event& event, int& handled)
{
    if (!enabled)
        return false;
    // A handler may close windows or open new ones: walk a copy and skip
    // whatever left the list meanwhile.
    std::vector<Widget*> snapshot = children;
    bool taken = false;
    for (size_t i = snapshot.size(); i-- > 0;)
    {
        Widget* child = snapshot[i];
        if (!hasChild(child) || !child->visible)
            continue;
        if (child->handleEvent(event, handled))
        {
            handled = 1;
            taken = true;
        }
    }
    return taken;
}

void Widget::setPosition(int newX, int newY, bool relayout)
{
    x = newX;
    y = newY;
    if (relayout)
        layout();
}

void Widget::setX(int value, bool relayout)
{
    x = value;
    if (relayout)
        layout();
}

void Widget::setY(int value, bool relayout)
{
    y = value;
    if (relayout)
        layout();
}

void Widget::setWidth(int value, bool relayout)
{
    width = value;
    if (relayout)
        layout();
}

void Widget::setHeight(int value, bool relayout)
{
    height = value;
    if (relayout)
        layout();
}

void Widget::setVisible(bool value)
{
    visible = value;
}

void Widget::setEnabled(bool value)
{
    enabled = value;
}

Widget* Widget::getWidgetAt(int px, int py, Widget* found)
{
    if (!visible || !enabled)
        return found;
    if (containsPoint(px, py))
        found = this;
    for (Widget* child : children)
        found = child->getWidgetAt(px, py, found);
    return found;
}

void Widget::addChild(Widget* child)
{
    child->parent = this;
    children.push_back(child);
}

void Widget::setChildrenVisibleByTag(int value, bool show)
{
    for (Widget* child : children)
        if (child->tag == value)
            child->setVisible(show);
}

sf::Vector2i Widget::getAbsolutePosition() const
{
    sf::Vector2i position(x + offsetX, y + offsetY);
    if (parent)
        position += parent->getAbsolutePosition();
    return position;
}

Widget* Widget::getRoot()
{
    Widget* root = this;
    while (root->parent)
        root = root->parent;
    return root;
}

Widget* Widget::findChildById(int childId, bool recursive)
{
    for (size_t i = children.size(); i-- > 0;)
    {
        Widget* child = children[i];
        if (child->id == childId)
            return child;
        if (recursive)
            if (Widget* found = child->findChildById(childId, true))
                return found;
    }
    return nullptr;
}

bool Widget::isEnabled() const
{
    for (const Widget* w = this; w; w = w->parent)
        if (!w->enabled)
            return false;
    return true;
}

void Widget::addChildToBack(Widget* child)
{
    child->parent = this;
    children.insert(children.begin(), child);
}

void Widget::removeChild(Widget* child)
{
    auto it = std::find(children.rbegin(), children.rend(), child);
    if (it == children.rend())
        return;
    children.erase(std::next(it).base());
    delete child;
}

void Widget::eraseChildAt(size_t index)
{
    if (index < children.size())
        children.erase(children.begin() + static_cast<std::ptrdiff_t>(index));
}

void Widget::detachChild(Widget* child)
{
    auto it = std::find(children.rbegin(), children.rend(), child);
    if (it == children.rend())
        return;
    children.erase(std::next(it).base());
    child->parent = nullptr;
}

void Widget::close()
{
    // Only the main thread changes the tree; others queue the close for it.
    if (owner && owner->ui && !owner->isMainThread())
    {
        owner->ui->post([this] { close(); });
        return;
    }
    if (parent)
        parent->detachChild(this);
    if (owner && owner->ui)
        owner->ui->deleteLater(this);
}

bool Widget::containsPoint(int px, int py) const
{
    sf::Vector2i position = getAbsolutePosition();
    return px >= position.x && px < position.x + width && py >= position.y &&
           py < position.y + height;
}

bool Widget::getEventPoint(const sf::Event& event, int pixelScale, sf::Vector2i& point)
{
    int scale = pixelScale > 0 ? pixelScale : 1;
    switch (event.type)
    {
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
        point = sf::Vector2i(event.mouseButton.x / scale, event.mouseButton.y / scale);
        return true;
    case sf::Event::MouseMoved:
        point = sf::Vector2i(event.mouseMove.x / scale, event.mouseMove.y / scale);
        return true;
    case sf::Event::MouseWheelScrolled:
        point = sf::Vector2i(event.mouseWheelScroll.x / scale, event.mouseWheelScroll.y / scale);
        return true;
    default:
        return false;
    }
}

bool Widget::eventPoint(const sf::Event& event, sf::Vector2i& point) const
{
    return getEventPoint(event, owner ? owner->pixelScale : 1, point);
}

bool Widget::isMouseButtonInside(const sf::Event& event) const
{
    if (event.type != sf::Event::MouseButtonPressed &&
        event.type != sf::Event::MouseButtonReleased)
        return false;
    sf::Vector2i point;
    return eventPoint(event, point) && containsPoint(point.x, point.y);
}

bool Widget::hasChild(const Widget* child) const
{
    return std::find(children.begin(), children.end(), child) != children.end();
}

} // namespace gui
