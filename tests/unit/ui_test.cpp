#include "../support/Fixtures.h"

#include "game/MainMenu.h"
#include "gui/Button.h"
#include "gui/Panel.h"
#include "gui/CheckBox.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{

using fixtures::mouseButton;

// Counts deletions of a widget.
class Tracked : public gui::Widget
{
public:
    Tracked(Game* game, int* counter, int left, int top, int w, int h)
        : gui::Widget(game, left, top, w, h), deletions(counter)
    {
    }
    ~Tracked() override { ++*deletions; }
    int* deletions;
};

class UITest : public ::testing::Test
{
protected:
    UITest()
    {
        world.game.ui = new UI(&world.game);
        ui = world.game.ui;
        ui->gameRoot->setVisible(true);
    }
    ~UITest() override
    {
        delete ui;
        world.game.ui = nullptr;
    }

    // Presses and releases the left button at the centre of a widget.
    void click(gui::Widget* widget, sf::Mouse::Button button = sf::Mouse::Left)
    {
        sf::Vector2i p = widget->getAbsolutePosition();
        p += sf::Vector2i(widget->width / 2, widget->height / 2);
        ui->handleEvent(mouseButton(sf::Event::MouseButtonPressed, p.x, p.y, button));
        ui->handleEvent(mouseButton(sf::Event::MouseButtonReleased, p.x, p.y, button));
    }

    gui::Widget* child(gui::Widget* parent, const char* name)
    {
        return parent->findChildById(hashString(name), false);
    }

    fixtures::HeadlessGame world;
    UI* ui;
};

TEST_F(UITest, CenteredRect)
{
    // The headless logical screen is 640 x 360.
    EXPECT_EQ(ui->getCenteredRect(200, 100, 10), sf::IntRect(220, 39, 200, 100));
    EXPECT_EQ(ui->getCenteredRect(200, 100, 11), sf::IntRect(220, 130, 200, 100));
    EXPECT_EQ(ui->getCenteredRect(200, 100, 12), sf::IntRect(220, 221, 200, 100));
    EXPECT_EQ(ui->getCenteredRect(200, 100, 3), sf::IntRect(220, 0, 200, 100));
    EXPECT_EQ(ui->getCenteredRect(201, 101, 11), sf::IntRect(219, 129, 201, 101));
}

TEST_F(UITest, RootsAndStatusLine)
{
    EXPECT_EQ(ui->gameRoot->type, gui::TypeWidget);
    EXPECT_EQ(ui->gameRoot->width, 640);
    EXPECT_EQ(ui->gameRoot->height, 360);
    EXPECT_FALSE(ui->menuRoot->visible);
    ASSERT_NE(ui->statusText, nullptr);
    EXPECT_EQ(ui->statusText->parent, ui->gameRoot);
    EXPECT_EQ(sf::IntRect(ui->statusText->x, ui->statusText->y, ui->statusText->width,
                          ui->statusText->height),
              sf::IntRect(4, 348, 632, 8));

    EXPECT_EQ(ui->getRoot(), ui->gameRoot);
    MainMenu menu(&world.game);
    world.game.mainMenu = &menu;
    menu.shown = true;
    EXPECT_EQ(ui->getRoot(), ui->menuRoot);
    menu.shown = false;
    EXPECT_EQ(ui->getRoot(), ui->gameRoot);
    world.game.mainMenu = nullptr;

    ui->statusMessage = "Build mode";
    ui->draw();
    EXPECT_EQ(ui->statusText->text, "Build mode");
}

TEST_F(UITest, DialogGeometryWithAndWithoutTitle)
{
    const std::string message = "A message long enough to need two lines in this dialog box, "
                                "maybe even three of them.";
    gui::Window* titled = ui->showMessage("Title", message, false);
    gui::Window* bare = ui->showMessage("", message, false);
    ASSERT_NE(titled, nullptr);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(titled->id, hashString("dlgWnd"));
    EXPECT_EQ(titled->parent, ui->gameRoot);

    gui::Text* titledText = static_cast<gui::Text*>(titled->children.back());
    gui::Text* bareText = static_cast<gui::Text*>(bare->children.back());
    ASSERT_EQ(titledText->type, gui::TypeText);
    EXPECT_EQ(titledText->y, 20);
    EXPECT_EQ(bareText->y, 12);
    EXPECT_EQ(titledText->x, 9);
    EXPECT_EQ(titledText->width, 188);
    EXPECT_GT(titledText->lines.size(), 1u);
    for (const sf::Vector2i& size : titledText->lineSizes)
        EXPECT_LE(size.x, 176);

    EXPECT_EQ(titled->width, 200);
    EXPECT_EQ(titled->height, titledText->height + 51);
    EXPECT_EQ(titled->height - bare->height, 26);
    EXPECT_EQ(titled->x, (640 - 200) / 2);
    EXPECT_EQ(titled->y, (360 - titled->height) / 2);
    EXPECT_EQ(titled->panel->width, 200);
    EXPECT_EQ(titled->panel->height, titled->height);
    ASSERT_NE(titled->titleBar, nullptr);
    EXPECT_EQ(bare->titleBar, nullptr);

    gui::Widget* okay = child(titled, "closeWindow");
    ASSERT_NE(okay, nullptr);
    EXPECT_EQ(sf::IntRect(okay->x, okay->y, okay->width, okay->height),
              sf::IntRect(50, titled->height - 12, 100, 18));
    EXPECT_EQ(static_cast<gui::Button*>(okay)->label->font, 2);

    gui::Window* question = ui->showMessage("Sure?", "Really?", true);
    gui::Widget* yes = child(question, "yesMsg");
    gui::Widget* no = child(question, "noMsg");
    ASSERT_NE(yes, nullptr);
    ASSERT_NE(no, nullptr);
    EXPECT_TRUE(question->yesNo);
    EXPECT_EQ(child(question, "closeWindow"), nullptr);
    EXPECT_EQ(sf::IntRect(yes->x, yes->y, yes->width, yes->height),
              sf::IntRect(40, question->height - 13, 58, 18));
    EXPECT_EQ(sf::IntRect(no->x, no->y, no->width, no->height),
              sf::IntRect(102, question->height - 13, 58, 18));
}

TEST_F(UITest, DialogAnswersInTheirOrder)
{
    struct Case
    {
        bool yesNo;
        const char* button;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {true, "yesMsg", {"answer true", "close"}},
        {true, "noMsg", {"answer false", "close"}},
        {false, "closeWindow", {"close"}},
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> calls;
        gui::Window* window = ui->showMessage("Question", "Text", c.yesNo);
        window->closeCallback = [&] { calls.push_back("close"); };
        window->answerCallback = [&](bool answer) {
            calls.push_back(answer ? "answer true" : "answer false");
        };
        click(child(window, c.button));
        EXPECT_EQ(calls, c.calls) << c.button;
        // Closed: gone from the root at once, deleted at the next draw.
        EXPECT_EQ(window->parent, nullptr) << c.button;
        EXPECT_EQ(ui->gameRoot->findChildById(hashString("dlgWnd"), false), nullptr);
        ui->draw();
        EXPECT_TRUE(ui->pendingDelete.empty());
    }
}

TEST_F(UITest, OneClickClosesOnlyTheTopDialog)
{
    gui::Window* lower = ui->showMessage("", "Same place", false);
    gui::Window* upper = ui->showMessage("", "Same place", false);
    ASSERT_EQ(lower->x, upper->x);
    ASSERT_EQ(lower->y, upper->y);
    int closed = 0;
    lower->closeCallback = [&] { closed += 1; };
    upper->closeCallback = [&] { closed += 10; };
    click(child(upper, "closeWindow"));
    EXPECT_EQ(closed, 10);
    EXPECT_EQ(lower->parent, ui->gameRoot);
    click(child(lower, "closeWindow"));
    EXPECT_EQ(closed, 11);
}

TEST_F(UITest, CloseAndDeleteLater)
{
    int deletions = 0;
    Tracked* window = new Tracked(&world.game, &deletions, 10, 10, 50, 50);
    ui->gameRoot->addChild(window);
    window->close();
    window->close(); // a second close must not delete twice
    EXPECT_EQ(window->parent, nullptr);
    EXPECT_EQ(ui->getWidgetAt(20, 20), ui->gameRoot);
    EXPECT_EQ(deletions, 0);
    ui->draw();
    EXPECT_EQ(deletions, 1);
    ui->draw();
    EXPECT_EQ(deletions, 1);

    // A callback may close its own window and still use it until it returns.
    gui::Window* dialog = ui->showMessage("", "x", false);
    gui::Button* okay = static_cast<gui::Button*>(child(dialog, "closeWindow"));
    okay->onClick = [dialog] {
        dialog->close();
        dialog->setVisible(false);
    };
    click(okay);
    EXPECT_FALSE(dialog->visible);
    ui->draw();
}

TEST_F(UITest, EventRouting)
{
    gui::Window* window = ui->createWindow(100, 100, 80, 60, "", 0, 0);
    ui->gameRoot->addChild(window);

    // Types that are not routed return at once.
    for (sf::Event::EventType type : {sf::Event::Resized, sf::Event::LostFocus,
                                      sf::Event::GainedFocus, sf::Event::JoystickMoved,
                                      sf::Event::Closed})
    {
        sf::Event event;
        event.type = type;
        EXPECT_TRUE(ui->handleEvent(event)) << type;
    }

    // A press on the bare root belongs to the game; on a window it does not.
    EXPECT_TRUE(ui->handleEvent(mouseButton(sf::Event::MouseButtonPressed, 10, 10)));
    EXPECT_FALSE(ui->handleEvent(mouseButton(sf::Event::MouseButtonPressed, 120, 120)));
    EXPECT_FALSE(ui->handleEvent(mouseButton(sf::Event::MouseButtonPressed, 120, 120,
                                             sf::Mouse::Right)));

    // A left release over a widget ends a drag of the map.
    world.game.dragging = true;
    EXPECT_FALSE(ui->handleEvent(mouseButton(sf::Event::MouseButtonReleased, 120, 120)));
    EXPECT_FALSE(world.game.dragging);
    world.game.dragging = true;
    EXPECT_TRUE(ui->handleEvent(mouseButton(sf::Event::MouseButtonReleased, 10, 10)));
    EXPECT_FALSE(world.game.dragging);

    // Keys pass unless a widget takes them.
    sf::Event key;
    key.type = sf::Event::KeyPressed;
    key.key = sf::Event::KeyEvent();
    EXPECT_TRUE(ui->handleEvent(key));

    // Mouse moves over a window still reach the game (hover only).
    sf::Event move;
    move.type = sf::Event::MouseMoved;
    move.mouseMove.x = 120;
    move.mouseMove.y = 120;
    EXPECT_TRUE(ui->handleEvent(move));
    EXPECT_EQ(ui->mousePosition, sf::Vector2i(120, 120));

    // Positions are logical: window pixels divided by the pixel scale.
    world.game.pixelScale = 2;
    EXPECT_FALSE(ui->handleEvent(mouseButton(sf::Event::MouseButtonPressed, 240, 240)));
    EXPECT_TRUE(ui->handleEvent(mouseButton(sf::Event::MouseButtonPressed, 120, 120)));
}

TEST_F(UITest, ButtonClicks)
{
    int clicks = 0;
    gui::Button* button = ui->createButton(10, 10, 40, 18, "Go", 0, 0);
    button->onClick = [&] { ++clicks; };
    ui->gameRoot->addChild(button);

    click(button);
    EXPECT_EQ(clicks, 1);
    click(button, sf::Mouse::Right);
    EXPECT_EQ(clicks, 1);

    // Press outside then release inside, and the other way round: no click.
    ui->handleEvent(mouseButton(sf::Event::MouseButtonPressed, 100, 100));
    ui->handleEvent(mouseButton(sf::Event::MouseButtonReleased, 20, 20));
    ui->handleEvent(mouseButton(sf::Event::MouseButtonPressed, 20, 20));
    ui->handleEvent(mouseButton(sf::Event::MouseButtonReleased, 100, 100));
    EXPECT_EQ(clicks, 1);

    // Disabled: no click, but the press still does not reach the map.
    button->setEnabled(false);
    EXPECT_FALSE(ui->handleEvent(mouseButton(sf::Event::MouseButtonPressed, 20, 20)));
    EXPECT_FALSE(ui->handleEvent(mouseButton(sf::Event::MouseButtonReleased, 20, 20)));
    EXPECT_EQ(clicks, 1);
    button->setEnabled(true);

    // A window on top covers the button.
    gui::Window* cover = ui->createWindow(0, 0, 100, 100, "", 0, 0);
    ui->gameRoot->addChild(cover);
    click(button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(UITest, CheckBoxToggles)
{
    gui::CheckBox* box = ui->createCheckBox(10, 10, "Show housing");
    ui->gameRoot->addChild(box);
    EXPECT_EQ(box->type, gui::TypeCheckBox);
    EXPECT_GT(box->width, gui::CheckBox::boxSize);
    std::vector<std::string> calls;
    box->onChange = [&](bool on) { calls.push_back(on ? "on" : "off"); };
    box->onRightClick = [&] { calls.push_back("right"); };
    click(box);
    click(box);
    click(box, sf::Mouse::Right);
    EXPECT_EQ(calls, (std::vector<std::string>{"on", "off", "right"}));
    EXPECT_FALSE(box->checked);
    box->setChecked(true);
    EXPECT_TRUE(box->checked);
    EXPECT_EQ(calls.size(), 3u);
    // The label is part of the box.
    EXPECT_EQ(ui->getWidgetAt(box->x + box->width - 1, box->y + 4), box);
}

TEST_F(UITest, WorkFromAnotherThreadWaitsForTheMainThread)
{
    std::vector<int> order;
    gui::Window* fromThread = reinterpret_cast<gui::Window*>(1);
    int deletions = 0;
    Tracked* closing = new Tracked(&world.game, &deletions, 0, 0, 10, 10);
    ui->gameRoot->addChild(closing);
    size_t before = ui->gameRoot->children.size();

    std::thread worker([&] {
        ui->post([&] { order.push_back(1); });
        fromThread = ui->showMessage("From", "the tick", false);
        world.game.runOnMainThread([&] { order.push_back(2); });
        closing->close();
        ui->post([&] { order.push_back(3); });
    });
    worker.join();

    EXPECT_EQ(fromThread, nullptr);
    EXPECT_TRUE(order.empty());
    EXPECT_EQ(ui->gameRoot->children.size(), before); // nothing touched the tree yet
    EXPECT_EQ(closing->parent, ui->gameRoot);

    ui->runPosted();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_NE(ui->gameRoot->findChildById(hashString("dlgWnd"), false), nullptr);
    EXPECT_EQ(closing->parent, nullptr);
    EXPECT_EQ(deletions, 0);
    ui->draw();
    EXPECT_EQ(deletions, 1);

    // On the main thread runOnMainThread runs at once.
    world.game.runOnMainThread([&] { order.push_back(4); });
    EXPECT_EQ(order.back(), 4);
}

TEST_F(UITest, PostedWorkRunsBeforeClosedWidgetsAreDeleted)
{
    gui::Window* dialog = ui->showMessage("", "x", false);
    gui::Text* text = static_cast<gui::Text*>(dialog->children.back());
    dialog->close();
    // Queued before the draw that deletes the dialog: the text is still alive when it runs.
    ui->post([text] { text->setText("late"); });
    ui->draw();
    EXPECT_TRUE(ui->pendingDelete.empty());
}

} // namespace
