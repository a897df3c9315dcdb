// The save slots window, clicked as a player would through the UI: what each
// slot shows, saving into one, loading from the title screen, a damaged save.

#include "SaveFixture.h"

#include "game/Screens.h"
#include "gui/Button.h"
#include "simulation/SaveFile.h"

#include <sys/stat.h>
#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

class SaveSlotsTest : public SaveTest
{
protected:
    // Presses and releases the left button on the middle of a widget.
    void click(gui::Widget* widget)
    {
        ASSERT_NE(widget, nullptr);
        sf::Vector2i at = widget->getAbsolutePosition() + sf::Vector2i(widget->width / 2, widget->height / 2);
        game.ui->handleEvent(fixtures::mouseButton(sf::Event::MouseButtonPressed, at.x, at.y));
        game.ui->handleEvent(fixtures::mouseButton(sf::Event::MouseButtonReleased, at.x, at.y));
    }

    gui::Widget* part(const std::string& name)
    {
        gui::Window* window = screens::saveSlotsWindow;
        return window ? window->findChildById(hashString(name.c_str()), true) : nullptr;
    }

    std::string info(int slot)
    {
        gui::Widget* text = part("slotInfo" + std::to_string(slot));
        return text ? static_cast<gui::Text*>(text)->text : "(none)";
    }

    gui::Widget* slotButton(int slot) { return part("slot" + std::to_string(slot)); }

    // A small city on day 12 saved in a slot.
    void savedCity(int slot)
    {
        housesAlongRoad();
        game.day = 12;
        city.setMoney(31337.6);
        ASSERT_TRUE(game.saveGame(slot));
        game.ui_closeAllWindows();
        for (gui::Widget* child : std::vector<gui::Widget*>(game.ui->getRoot()->children))
            if (child->id == hashString("dlgWnd"))
                child->close();
    }
};

TEST_F(SaveSlotsTest, EachSlotShowsWhatItHolds)
{
    savedCity(1);
    writeSlot(3, "not a save at all\n");
    dir.write("saves/2.sav.bak", "2, /* save version */\n");
    game.ui_showSaveSlots(false);
    ASSERT_NE(screens::saveSlotsWindow, nullptr);
    ASSERT_NE(screens::saveSlotsWindow->titleBar, nullptr);
    EXPECT_EQ(screens::saveSlotsWindow->titleBar->title, Font::toUpper("Load game"));

    EXPECT_EQ(info(1), "13/01 Y1, money 31337") << "dated as the heads-up display dates day 12";
    EXPECT_EQ(info(2), "Empty");
    EXPECT_EQ(info(3), "Damaged");
    EXPECT_EQ(info(4), "Empty");
    for (int slot : {1, 3})
        EXPECT_TRUE(slotButton(slot)->isEnabled()) << slot;
    for (int slot : {2, 4})
        EXPECT_FALSE(slotButton(slot)->isEnabled()) << slot;

    // Opened again for saving: one window, every slot can take a save.
    game.ui_showSaveSlots(true);
    int windows = 0;
    for (gui::Widget* child : game.ui->getRoot()->children)
        windows += child == screens::saveSlotsWindow;
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(screens::saveSlotsWindow->titleBar->title, Font::toUpper("Save game"));
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_TRUE(slotButton(slot)->isEnabled()) << slot;
}

TEST_F(SaveSlotsTest, SavingIntoASlotClosesTheWindowAndSaysSo)
{
    housesAlongRoad();
    game.day = 40;
    game.ui_showSaveSlots(true);
    click(slotButton(2));
    EXPECT_EQ(screens::saveSlotsWindow, nullptr);
    SaveFile save;
    ASSERT_TRUE(save.parse(slotText(2))) << save.error;
    EXPECT_EQ(save.day, 40);
    std::vector<ShownMessage> shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Game saved!");
}

TEST_F(SaveSlotsTest, TheTitleScreenLoadsASlot)
{
    savedCity(1);
    game.day = 99;
    game.showMainMenu();
    ASSERT_EQ(game.ui->getRoot(), game.ui->menuRoot);
    click(game.mainMenu->loadButton);
    ASSERT_NE(screens::saveSlotsWindow, nullptr);
    EXPECT_EQ(screens::saveSlotsWindow->parent, game.ui->menuRoot);

    click(slotButton(1));
    EXPECT_EQ(game.day, 12);
    EXPECT_EQ(screens::saveSlotsWindow, nullptr);
    EXPECT_FALSE(game.mainMenu->shown);
    EXPECT_TRUE(game.ui->gameRoot->visible);
    EXPECT_FALSE(game.ui->menuRoot->visible);
    EXPECT_EQ(game.ui->statusMessage, "Build mode");
}

TEST_F(SaveSlotsTest, ADamagedSlotSaysWhatIsWrongAndKeepsTheTitleScreen)
{
    writeSlot(3, "2, /* save version */\n1,2,3, /* date, action */\n");
    game.showMainMenu();
    click(game.mainMenu->loadButton);
    click(slotButton(3));
    EXPECT_TRUE(game.mainMenu->shown);
    EXPECT_NE(screens::saveSlotsWindow, nullptr);
    std::vector<ShownMessage> shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("line 2: the \"date, action\" line has 3 of its 16 fields"), std::string::npos)
        << shown[0].text;
}

CONCURRENCY_TEST_F(SaveSlotsTest, FromAnotherThreadTheWindowWaitsForTheNextFrame)
{
    housesAlongRoad();
    std::thread other([this] { game.ui_showSaveSlots(true); });
    other.join();
    EXPECT_EQ(screens::saveSlotsWindow, nullptr);
    game.ui->runPosted();
    EXPECT_NE(screens::saveSlotsWindow, nullptr);
}

TEST_F(SaveSlotsTest, OpenContainingFolderOpensTheSavesFolder)
{
    const char* old = std::getenv("PATH");
    std::string oldPath = old ? old : "";
    dir.write("bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + dir.path + "args.part\"\nmv \"" + dir.path +
                                  "args.part\" \"" + dir.path + "args\"\n");
    chmod((dir.path + "bin/xdg-open").c_str(), 0755);
    setenv("PATH", (dir.path + "bin:" + oldPath).c_str(), 1);

    game.ui_showSaveSlots(false);
    click(part("openFolder"));
    for (int i = 0; i < 400 && !fileExists(dir.path + "args"); ++i)
        sf::sleep(sf::milliseconds(25));
    setenv("PATH", oldPath.c_str(), 1);

    std::ifstream in(dir.path + "args");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, getSavesPath());
    struct stat info;
    EXPECT_TRUE(stat(getSavesPath().c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}

} // namespace
