#ifndef QUILLFENN_GUI_WIDGET_H
#define QUILLFENN_GUI_WIDGET_H

// PLACEHOLDER: the widget base is built by the widget layer.

#include <SFML/Graphics.hpp>

#include <vector>

class Game;

namespace gui
{

class Widget
{
public:
    Widget(Game* owner, int x, int y, int width, int height);
    virtual ~Widget();
    virtual void draw(sf::RenderTarget& target, float dt);
    virtual void layout() {}
    virtual void setVisible(bool value) { visible = value; }
    virtual gui::Widget* getWidgetAt(int x, int y, gui::Widget* found);
    virtual void addChild(gui::Widget* child);

    Game* owner = nullptr;
    int id = -1;
    gui::Widget* parent = nullptr;
    std::vector<gui::Widget*> children;
    int x = 0, y = 0, width = 0, height = 0;
    int type = 10;
    bool visible = true;
    bool enabled = true;
};

class Window : public Widget
{
public:
    using Widget::Widget;
};

} // namespace gui

#endif
