#include "gui/Window.h"

#include "gui/Panel.h"
#include "gui/TitleBar.h"

namespace gui
{

Window::Window(Game* game, int left, int top, int w, int h)
    : Widget(game, left, top, w, h)
{
    type = TypeWindow;
    panel = new Panel(game, 0, 0, w, h);
    addChildToBack(panel);
}

void Window::setTitle(const std::string& title)
{
    if (titleBar)
        titleBar->setTitle(title, true);
}

void Window::answer(int code)
{
    // Copies: a callback may replace the window's callbacks while it runs.
    if (code == AnswerClose)
    {
        std::function<void()> callback = closeCallback;
        if (callback)
            callback();
        return;
    }
    std::function<void(bool)> callback = answerCallback;
    if (callback)
        callback(code == AnswerYes);
}

void Window::layout()
{
    if (panel)
    {
        panel->setPosition(0, 0);
        panel->width = width;
        panel->height = height;
    }
    if (titleBar)
        titleBar->width = width - 10;
}

bool Window::handleEvent(const sf::Event& event, int& handled)
{
    if (!enabled)
        return false;
    bool taken = Widget::handleEvent(event, handled);
    if (isMouseButtonInside(event))
    {
        handled = 1;
        taken = true;
    }
    return taken;
}

} // namespace gui
