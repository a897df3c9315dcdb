#include "GlWorld.h"

#include "gui/Text.h"
#include "gui/Window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

// A second thread keeps opening dialogs and rewriting a text while the main
// thread draws and clicks the dialogs away; run under ThreadSanitizer too.
CONCURRENCY_TEST(UiThreadGlTest, TickThreadOpensDialogsWhileTheMainThreadDraws)
{
    fixtures::GlWorld world;
    UI* ui = world.game.ui;
    gui::Text* counter = ui->createText(10, 10, 100, 8, "0", 0, 0);
    ui->gameRoot->addChild(counter);

    const int rounds = 200;
    std::atomic<bool> done(false);
    int closedDialogs = 0; // main thread only
    std::thread tick([&] {
        for (int i = 1; i <= rounds; ++i)
        {
            ui->showMessage("Tick", "Dialog number " + std::to_string(i), i % 2 == 0);
            world.game.runOnMainThread([&, i] { counter->setText(std::to_string(i)); });
            ui->post([&, i] { ui->statusMessage = "round " + std::to_string(i); });
            if (i % 16 == 0)
                std::this_thread::yield();
        }
        done = true;
    });

    // Clicks the Okay, Yes or No button of the topmost dialog.
    auto clickTopDialog = [&] {
        gui::Widget* top = ui->gameRoot->children.back();
        if (top->id != hashString("dlgWnd"))
            return;
        gui::Window* dialog = static_cast<gui::Window*>(top);
        dialog->closeCallback = [&] { ++closedDialogs; };
        gui::Widget* button = top->findChildById(hashString("closeWindow"), false);
        if (!button)
            button = top->findChildById(hashString(closedDialogs % 2 ? "yesMsg" : "noMsg"), false);
        sf::Vector2i p = button->getAbsolutePosition() + sf::Vector2i(5, 5);
        ui->handleEvent(fixtures::mouseButton(sf::Event::MouseButtonPressed, p.x, p.y));
        ui->handleEvent(fixtures::mouseButton(sf::Event::MouseButtonReleased, p.x, p.y));
    };

    int frames = 0;
    while (!done || closedDialogs < rounds)
    {
        world.frame();
        clickTopDialog();
        clickTopDialog();
        ASSERT_LT(++frames, 20000) << "dialogs never all closed";
    }
    tick.join();
    world.frame();

    EXPECT_EQ(closedDialogs, rounds);
    EXPECT_EQ(counter->text, std::to_string(rounds));
    EXPECT_EQ(ui->statusText->text, "round " + std::to_string(rounds));
    EXPECT_EQ(ui->gameRoot->findChildById(hashString("dlgWnd"), false), nullptr);
    EXPECT_TRUE(ui->pendingDelete.empty());
}

} // namespace
