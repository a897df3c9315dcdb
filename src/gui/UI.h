#ifndef QUILLFENN_GUI_UI_H
#define QUILLFENN_GUI_UI_H

// PLACEHOLDER: the UI manager is built by the widget layer.

#include <SFML/Window/Event.hpp>

#include <functional>
#include <string>

class Game;

namespace gui
{
class Widget;
class Window;
} // namespace gui

class UI
{
public:
    explicit UI(Game* owner);
    virtual ~UI();
    void onResize();
    gui::Widget* getRoot();
    gui::Widget* getWidgetAt(int x, int y);
    bool handleEvent(const sf::Event& event);
    void draw();
    gui::Window* showMessage(const std::string& title, const std::string& text, bool yesNo);
    void post(std::function<void()> task);

    Game* owner;
    gui::Widget* gameRoot = nullptr;
    gui::Widget* menuRoot = nullptr;
    std::string statusMessage;
};

#endif
