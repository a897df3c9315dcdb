#ifndef QUILLFENN_GUI_WINDOW_H
#define QUILLFENN_GUI_WINDOW_H

#include "gui/Widget.h"

#include <functional>
#include <string>

namespace gui
{

class Panel;
class TitleBar;

// A framed window: a background panel behind everything, an optional title
// bar, and the content its builder adds. Presses and releases on it never
// reach what lies below.
class Window : public Widget
{
public:
    // Answers of answer(): closed, Yes, No.
    enum Answer
    {
        AnswerClose = 0,
        AnswerYes = 1,
        AnswerNo = 2
    };

    Window(Game* game, int left, int top, int w, int h);

    // Shows the title in the title bar, when the window has one.
    void setTitle(const std::string& title);

    // Runs the close callback (AnswerClose) or the answer callback with true or false.
    void answer(int code);

    // Fits the background panel and the title bar to the window's size.
    void layout() override;

    // Offers the event to the content, then keeps mouse presses and releases inside.
    bool handleEvent(const sf::Event& event, int& handled) override;

    Panel* panel = nullptr;
    TitleBar* titleBar = nullptr;
    bool yesNo = false;
    std::function<void()> closeCallback;
    std::function<void(bool)> answerCallback;
};

} // namespace gui

#endif
