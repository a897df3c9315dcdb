#ifndef QUILLFENN_TESTS_SCREENSFIXTURE_H
#define QUILLFENN_TESTS_SCREENSFIXTURE_H

// The in-game windows on a headless game: a city, a map, block fonts and a
// real UI whose draw runs the work other threads posted (there is no render
// target, so nothing is painted). Widgets are found by id or by position and
// clicked with the mouse events a player would send.

#include "../support/Fixtures.h"
#include "../support/HeadlessUi.h"
#include "SimFixture.h"

#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Font.h"

#include <string>
#include <vector>

class ScreensTest : public SimTest
{
protected:
    void SetUp() override
    {
        fixtures::giveHeadlessUi(game);
        ASSERT_EQ(screens::financeWindow, nullptr) << "a window outlived its test";
        ASSERT_EQ(screens::cityInfoWindow, nullptr);
        ASSERT_EQ(screens::productionWindow, nullptr);
        ASSERT_EQ(screens::menuWindow, nullptr);
    }

    void TearDown() override
    {
        // The window pointers are program-wide: leave none behind for the next test.
        game.ui_closeAllWindows();
        game.ui->runPosted();
        freeGameParts(game);
    }

    // One frame's worth of main-thread UI work: posted tasks, then deletions.
    void frame() { game.ui->draw(); }

    // Presses and releases the left button at the centre of a widget.
    void click(gui::Widget* widget)
    {
        ASSERT_NE(widget, nullptr);
        sf::Vector2i p = widget->getAbsolutePosition() + sf::Vector2i(widget->width / 2, widget->height / 2);
        game.ui->handleEvent(fixtures::mouseButton(sf::Event::MouseButtonPressed, p.x, p.y));
        game.ui->handleEvent(fixtures::mouseButton(sf::Event::MouseButtonReleased, p.x, p.y));
    }

    static gui::Widget* byId(gui::Widget* parent, const std::string& name)
    {
        return parent ? parent->findChildById(hashString(name.c_str()), true) : nullptr;
    }

    static std::string textOf(gui::Widget* parent, const std::string& name)
    {
        gui::Widget* found = byId(parent, name);
        return found && found->type == gui::TypeText ? static_cast<gui::Text*>(found)->text : "<none>";
    }

    // The direct child of a type at a position relative to its window.
    static gui::Widget* childAt(gui::Widget* window, int type, int x, int y)
    {
        for (gui::Widget* child : window->children)
            if (child->type == type && child->x == x && child->y == y)
                return child;
        return nullptr;
    }

    static std::string textAt(gui::Widget* window, int x, int y)
    {
        gui::Widget* found = childAt(window, gui::TypeText, x, y);
        return found ? static_cast<gui::Text*>(found)->text : "<none>";
    }

    // The button with the label, anywhere in the window.
    static gui::Button* buttonLabelled(gui::Widget* parent, const std::string& label)
    {
        for (gui::Widget* child : parent->children)
        {
            if (child->type == gui::TypeButton)
            {
                gui::Button* button = static_cast<gui::Button*>(child);
                if (button->label && button->label->text == label)
                    return button;
            }
        }
        return nullptr;
    }

    // Windows on the game root with the title, upper-cased as shown.
    int windowsTitled(const std::string& title)
    {
        int count = 0;
        for (gui::Widget* child : game.ui->gameRoot->children)
            if (child->type == gui::TypeWindow && titleOf(child) == Font::toUpper(title))
                ++count;
        return count;
    }

    static std::string titleOf(gui::Widget* window)
    {
        gui::TitleBar* bar = static_cast<gui::Window*>(window)->titleBar;
        return bar ? bar->title : "";
    }

    // The open message dialogs, oldest first.
    std::vector<ShownMessage> messages() { return fixtures::shownMessages(game.ui->gameRoot); }

    // Clicks the Okay of every open message dialog.
    void dismissMessages()
    {
        std::vector<gui::Widget*> dialogs;
        for (gui::Widget* child : game.ui->gameRoot->children)
            if (child->id == hashString("dlgWnd"))
                dialogs.push_back(child);
        for (gui::Widget* dialog : dialogs)
            click(dialog->findChildById(hashString("closeWindow"), false));
        frame();
    }

    double money()
    {
        sf::Lock lock(city.moneyMutex);
        return city.money;
    }
};

#endif
