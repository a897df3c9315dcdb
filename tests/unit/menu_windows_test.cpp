// The in-game menu and what each of its buttons leads to, the options window
// opened from it, and the about window.

#include "ScreensFixture.h"

#include "game/MainMenu.h"
#include "gui/CheckBox.h"
#include "resources/Settings.h"
#include "resources/SoundManager.h"
#include "simulation/TextTables.h"

#include <fstream>
#include <sstream>
#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

class MenuWindowsTest : public ScreensTest
{
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        savedBase = getBasePath();
        setBasePath(dir.path);
        delete game.settings;
        game.settings = fixtures::makeSettings("isFullscreen=false\npostProcessing=false\nsfxEnabled=false\n"
                                               "musicEnabled=false\npalette=0\n");
        game.sounds = new SoundManager(&game);
        game.mainMenu = new MainMenu(&game);
    }

    void TearDown() override
    {
        ScreensTest::TearDown();
        delete game.mainMenu; // its widgets went with the UI
        game.mainMenu = nullptr;
        setBasePath(savedBase);
    }

    gui::Button* entry(const char* label)
    {
        return screens::menuWindow ? buttonLabelled(screens::menuWindow, label) : nullptr;
    }

    fixtures::TempDir dir;
    std::string savedBase;
};

TEST_F(MenuWindowsTest, MenuListsItsEntriesOnce)
{
    game.ui_showMenu();
    game.ui_showMenu();
    ASSERT_NE(screens::menuWindow, nullptr);
    EXPECT_EQ(windowsTitled("Menu"), 1);
    int previousY = -1;
    for (const char* label : {"Back to game", "Save game", "Load game", "Options", "About", "Back to menu", "Exit"})
    {
        gui::Button* button = entry(label);
        ASSERT_NE(button, nullptr) << label;
        EXPECT_GT(button->y, previousY) << label << " is out of order";
        EXPECT_LE(button->y + button->height, screens::menuWindow->height) << label;
        previousY = button->y;
    }

    click(entry("Back to game"));
    EXPECT_EQ(screens::menuWindow, nullptr);
    frame();
    EXPECT_EQ(windowsTitled("Menu"), 0);
}

TEST_F(MenuWindowsTest, SaveAndLoadOpenTheSlots)
{
    for (const char* label : {"Save game", "Load game"})
    {
        game.ui_showMenu();
        click(entry(label));
        EXPECT_EQ(screens::menuWindow, nullptr) << label;
        ASSERT_NE(screens::saveSlotsWindow, nullptr) << label;
        EXPECT_EQ(titleOf(screens::saveSlotsWindow), Font::toUpper(label));
        frame();
        EXPECT_EQ(windowsTitled("Menu"), 0) << label;
        EXPECT_EQ(windowsTitled(label), 1);
        screens::closeScreen(screens::saveSlotsWindow);
    }
}

TEST_F(MenuWindowsTest, OptionsFromTheMenuChangeTheSettings)
{
    game.ui_showMenu();
    click(entry("Options"));
    EXPECT_EQ(screens::menuWindow, nullptr);
    ASSERT_NE(screens::optionsWindow, nullptr);
    EXPECT_EQ(screens::optionsWindow->parent, game.ui->gameRoot) << "in game, on the game screen";

    gui::CheckBox* fullScreen = nullptr;
    gui::CheckBox* sound = nullptr;
    for (gui::Widget* child : screens::optionsWindow->children)
    {
        if (child->type != gui::TypeCheckBox)
            continue;
        gui::CheckBox* box = static_cast<gui::CheckBox*>(child);
        if (box->label->text == "Full screen")
            fullScreen = box;
        if (box->label->text == "Sound effects")
            sound = box;
    }
    ASSERT_NE(fullScreen, nullptr);
    ASSERT_NE(sound, nullptr);
    click(sound);
    EXPECT_TRUE(game.settings->equals("sfxEnabled", "true"));
    EXPECT_FALSE(game.recreateWindow);
    click(fullScreen);
    EXPECT_TRUE(game.settings->equals("isFullscreen", "true"));
    EXPECT_TRUE(game.recreateWindow) << "full screen needs a new window";

    click(buttonLabelled(screens::optionsWindow, "Close"));
    EXPECT_EQ(screens::optionsWindow, nullptr);
}

TEST_F(MenuWindowsTest, AboutNamesTheGame)
{
    game.ui_showMenu();
    click(entry("About"));
    EXPECT_EQ(screens::menuWindow, nullptr);
    ASSERT_NE(screens::aboutWindow, nullptr);
    gui::Window* about = screens::aboutWindow;
    EXPECT_EQ(titleOf(about), Font::toUpper("About"));
    bool titleShown = false;
    for (gui::Widget* child : about->children)
        if (child->type == gui::TypeText && static_cast<gui::Text*>(child)->text == gameTitle)
            titleShown = true;
    EXPECT_TRUE(titleShown);

    // The words fit: every line inside the window, the Close button below them.
    gui::Widget* words = byId(about, "aboutText");
    ASSERT_NE(words, nullptr);
    gui::Text* text = static_cast<gui::Text*>(words);
    EXPECT_GE(text->lines.size(), 3u);
    for (const sf::Vector2i& size : text->lineSizes)
        EXPECT_LE(text->x + size.x, about->width - 10);
    gui::Widget* close = about->findChildById(hashString("closeWindow"), false);
    ASSERT_NE(close, nullptr);
    EXPECT_GE(close->y, text->y + text->height);
    EXPECT_EQ(close->y, about->height - 12);

    game.ui_showAbout();
    EXPECT_EQ(windowsTitled("About"), 1);
    click(close);
    EXPECT_EQ(screens::aboutWindow, nullptr);
}

TEST_F(MenuWindowsTest, BackToMenuShowsTheTitleScreenWithEveryWindowClosed)
{
    game.enterGameMode();
    game.ui_showExpenditure();
    game.ui_showCityInfo();
    game.ui_showProduction();
    game.ui_showMenu();
    click(entry("Back to menu"));

    EXPECT_TRUE(game.mainMenu->shown);
    EXPECT_TRUE(game.ui->menuRoot->visible);
    EXPECT_FALSE(game.ui->gameRoot->visible);
    EXPECT_EQ(screens::menuWindow, nullptr);
    EXPECT_EQ(screens::financeWindow, nullptr);
    EXPECT_EQ(screens::cityInfoWindow, nullptr);
    EXPECT_EQ(screens::productionWindow, nullptr);
    frame();
    for (gui::Widget* child : game.ui->gameRoot->children)
        EXPECT_NE(child->type, gui::TypeWindow);

    // A year end that was under way posts its opening of the finance
    // window: it waits on the game screen, not over the title screen.
    std::thread([this] { game.ui_showExpenditure(); }).join();
    frame();
    ASSERT_NE(screens::financeWindow, nullptr);
    EXPECT_EQ(screens::financeWindow->parent, game.ui->gameRoot);
    for (gui::Widget* child : game.ui->menuRoot->children)
        EXPECT_NE(child->type, gui::TypeWindow);

    // A new game from there starts clean, as the title screen's button does.
    click(game.mainMenu->newGameButton);
    EXPECT_FALSE(game.mainMenu->shown);
    EXPECT_EQ(money(), 25000.0);
    EXPECT_EQ(screens::financeWindow, nullptr);
}

TEST_F(MenuWindowsTest, ExitWritesTheSettingsAsTheTitleScreensExitDoes)
{
    game.settings->set("palette", "3");
    game.ui_showMenu();
    click(entry("Exit"));
    std::ifstream written(dir.path + "conf.dat");
    std::stringstream content;
    content << written.rdbuf();
    EXPECT_NE(content.str().find("palette=3"), std::string::npos) << content.str();
}

CONCURRENCY_TEST_F(MenuWindowsTest, FromAnotherThreadTheyWaitForTheNextFrame)
{
    std::thread([this] {
        game.ui_showMenu();
        game.ui_showAbout();
        game.ui_showOptions();
    }).join();
    EXPECT_EQ(screens::menuWindow, nullptr);
    EXPECT_EQ(screens::aboutWindow, nullptr);
    EXPECT_EQ(screens::optionsWindow, nullptr);
    frame();
    EXPECT_NE(screens::menuWindow, nullptr);
    EXPECT_NE(screens::aboutWindow, nullptr);
    EXPECT_NE(screens::optionsWindow, nullptr);
}

} // namespace
