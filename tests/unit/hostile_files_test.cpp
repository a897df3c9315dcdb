// Save files as an attacker or an unlucky player leaves them, through the
// real loader: each is refused with the line and the reason named, leaving
// the running city as it was, or it loads, takes the very step that once
// broke it (a repayment, a turn, a rent, an upgrade, a day), and what it
// saves then loads again. The inputs are kept under
// tests/data/fuzz/save_file/, where they also seed the save file fuzz
// target; the largest dense map is made here.

#include "MemoryLimit.h"
#include "SaveFixture.h"

#include "game/MainMenu.h"
#include "game/Screens.h"
#include "gui/Button.h"
#include "resources/Platform.h"
#include "simulation/House.h"
#include "simulation/SaveFile.h"
#include "simulation/Shop.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{

std::string readInput(const std::string& name)
{
    std::ifstream file(std::string(QUILLFENN_TEST_DATA) + "/fuzz/save_file/" + name, std::ios::binary);
    std::stringstream buffer;
    buffer << file.rdbuf();
    return buffer.str();
}

// Every text of a widget tree, depth first.
void collectTexts(gui::Widget* widget, std::vector<std::string>& texts)
{
    if (widget->type == gui::TypeText)
        texts.push_back(static_cast<gui::Text*>(widget)->text);
    for (gui::Widget* child : widget->children)
        collectTexts(child, texts);
}

bool showsText(gui::Widget* widget, const std::string& text)
{
    std::vector<std::string> texts;
    if (widget)
        collectTexts(widget, texts);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The running city of every case: houses along a road on day 40, a loan of 300.
class HostileFiles : public SaveTest
{
protected:
    void SetUp() override
    {
        SaveTest::SetUp();
        housesAlongRoad();
        game.day = 40;
        city.takeLoan(300);
    }

    // Loads slot 1 holding the text; the log when it was refused, else "".
    std::string load(const std::string& text)
    {
        writeSlot(1, text);
        testing::internal::CaptureStdout();
        bool loaded = game.loadGame(1);
        std::string log = testing::internal::GetCapturedStdout();
        return loaded ? "" : log;
    }

    void passDays(int days)
    {
        for (int i = 0; i < days; ++i)
        {
            ASSERT_NE(game.nextDay(), 0) << "day " << game.day;
            ASSERT_TRUE(finishDayWithin(game, 10000));
            game.ui->runPosted();
        }
    }

    void clicks(int n)
    {
        for (int i = 0; i < n; ++i)
        {
            game.progressAction();
            ASSERT_TRUE(finishDayWithin(game, 10000));
            game.ui->runPosted();
        }
    }

    // What the running city saves; what it saves again after loading that
    // must be the very same text.
    void savesAndLoadsAgain(const std::string& input)
    {
        ASSERT_TRUE(game.saveGame(2)) << input;
        const std::string saved = slotText(2);
        testing::internal::CaptureStdout();
        bool loaded = game.loadGame(2);
        std::string log = testing::internal::GetCapturedStdout();
        ASSERT_TRUE(loaded) << input << ": what the game saved is refused: " << log;
        ASSERT_TRUE(game.saveGame(3)) << input;
        EXPECT_EQ(slotText(3), saved) << input;
    }

    // Presses a rent button of the open information window.
    void pressRent(const char* name)
    {
        ASSERT_NE(screens::tileInformationWindow, nullptr);
        gui::Widget* found = screens::tileInformationWindow->findChildById(hashString(name), true);
        gui::Button* button = dynamic_cast<gui::Button*>(found);
        ASSERT_NE(button, nullptr) << name;
        button->onClick();
    }

    House& houseAt(int x, int y)
    {
        House* house = record<House>(x, y);
        EXPECT_NE(house, nullptr);
        return *house;
    }
};

// Values beyond what any step of the game keeps in range: refused by name,
// and the running city (its loan, day, map) stays as it was.
TEST_F(HostileFiles, OutOfRangeValuesAreRefusedByLineAndLeaveTheCity)
{
    struct Case
    {
        const char* input;
        const char* why;
    };
    const Case cases[] = {
        {"clicks-max", "line 2: field 2 of the \"date, action\" line is out of range"},
        {"clicks-needed-max", "line 2: field 10 of the \"date, action\" line is out of range"},
        {"progress-negative", "line 2: field 11 of the \"date, action\" line is out of range"},
        {"build-rate-negative", "line 2: field 12 of the \"date, action\" line is out of range"},
        {"population-max", "line 3: field 2 of the \"city info\" line is out of range"},
        {"loan-max", "line 3: field 3 of the \"city info\" line is out of range"},
        {"loan-min", "line 3: field 3 of the \"city info\" line is out of range"},
        {"residents-huge", "line 17: a house for 1500000000 residents is far larger than any"},
        {"range-max", "line 26: a range of 2147483647 tiles reaches beyond any map"},
    };
    ASSERT_TRUE(game.saveGame(2));
    const std::string before = slotText(2);
    for (const Case& c : cases)
    {
        std::string log = load(readInput(c.input));
        EXPECT_NE(log.find(std::string("refused, ") + c.why), std::string::npos) << c.input << ": " << log;
        std::vector<ShownMessage> shown = messages();
        ASSERT_FALSE(shown.empty()) << c.input;
        EXPECT_EQ(shown.back().title, Font::toUpper("Oh no.")) << c.input;
        EXPECT_NE(shown.back().text.find(c.why), std::string::npos) << c.input << ": " << shown.back().text;
        ASSERT_TRUE(game.saveGame(2));
        EXPECT_EQ(slotText(2), before) << c.input;
    }
}

// Values at the edge of what the loader takes, each with the step that
// once left int or wrote a save the loader refused: they play on, and what
// they save loads again.
TEST_F(HostileFiles, EdgeValuesTakeTheirNextStepAndSaveAgain)
{
    struct Case
    {
        const char* input;
        std::function<void()> step;
    };
    const Case cases[] = {
        // "Pay back 5000" on a loan of 300 leaves it below 0, as the books allow.
        {"loan-300",
         [&] {
             double money = city.money;
             city.repayLoan(5000);
             EXPECT_EQ(city.loan, -4700);
             EXPECT_EQ(city.money, money - 5000);
         }},
        {"loan-at-limit",
         [&] {
             double money = city.money;
             city.takeLoan(5000);
             EXPECT_EQ(city.loan, City::MaxLoan) << "no loan beyond the limit";
             EXPECT_EQ(city.money, money);
             city.repayLoan(5000);
             EXPECT_EQ(city.loan, City::MaxLoan - 5000);
         }},
        {"loan-at-lower-limit",
         [&] {
             city.repayLoan(5000);
             EXPECT_EQ(city.loan, -City::MaxLoan) << "nothing to repay";
             city.takeLoan(5000);
             EXPECT_EQ(city.loan, -City::MaxLoan + 5000);
         }},
        {"latest-day",
         [&] {
             EXPECT_EQ(game.nextDay(), 0) << "the calendar ends on the last day a save holds";
             EXPECT_EQ(game.day, SaveFile::MaxDay);
         }},
        {"rotation-max",
         [&] {
             game.map->rotateLeft();
             game.map->rotateLeft();
             game.map->rotateRight();
             EXPECT_EQ(((game.map->rotation % 4) + 4) % 4, ((INT_MAX % 4) + 1) % 4);
         }},
        {"rotation-min",
         [&] {
             game.map->rotateRight();
             game.map->rotateRight();
             game.map->rotateLeft();
             EXPECT_EQ(((game.map->rotation % 4) + 4) % 4, ((INT_MIN % 4) + 4 - 1) % 4);
         }},
        // The rent sums of the information window and its buttons.
        {"base-income-max",
         [&] {
             game.ui_showTileInformation(&tile(0, 0));
             EXPECT_TRUE(showsText(screens::tileInformationWindow, "2147483647"));
             pressRent("rentDecrease");
             EXPECT_EQ(houseAt(0, 0).rentOffset, -1);
             EXPECT_TRUE(showsText(screens::tileInformationWindow, "2147483646"));
         }},
        {"rent-overflow",
         [&] {
             game.ui_showTileInformation(&tile(0, 0));
             EXPECT_TRUE(showsText(screens::tileInformationWindow, "2147483649"));
             pressRent("rentIncrease");
             EXPECT_EQ(houseAt(0, 0).rentOffset, INT_MAX) << "a rent above 5 rises no more";
             pressRent("rentDecrease");
             EXPECT_EQ(houseAt(0, 0).rentOffset, INT_MAX - 1);
             EXPECT_TRUE(showsText(screens::tileInformationWindow, "2147483648"));
         }},
        {"rent-min",
         [&] {
             game.ui_showTileInformation(&tile(0, 0));
             pressRent("rentDecrease");
             EXPECT_EQ(houseAt(0, 0).rentOffset, INT_MIN) << "no rent at or below 0";
             pressRent("rentIncrease");
             EXPECT_EQ(houseAt(0, 0).rentOffset, INT_MIN + 1);
             EXPECT_TRUE(showsText(screens::tileInformationWindow, "-2147483645"));
         }},
        // A small house fuller than a large one: the upgrade keeps what fits.
        {"house-at-residents-limit",
         [&] {
             Tile& site = tile(0, 0);
             int slot = slotOf(site, 3);
             ASSERT_GE(slot, 0) << "large housing is offered";
             game.startAction(static_cast<int>(site.id), slot, 250);
             game.buildRate = 40.0; // one click, before any day could set the house on fire
             clicks(1);
             EXPECT_EQ(game.action.id, 0);
             EXPECT_EQ(houseAt(0, 0).level, 2);
             EXPECT_LE(houseAt(0, 0).residents.load(), 6);
         }},
        {"population-limit", [&] { passDays(1); }},
        // A supplier's information window highlights its whole range.
        {"ranges-at-limit",
         [&] {
             for (int x : {3, 6, 7, 8, 9})
             {
                 game.ui_showTileInformation(&tile(x, 0));
                 EXPECT_EQ(game.map->highlightRadius, SaveFile::MaxRange) << x;
             }
         }},
        {"fire-clicks-at-limit",
         [&] {
             game.map->startFire(tile(0, 0));
             EXPECT_EQ(game.action.id, 17);
             EXPECT_LE(game.action.clicksNeeded, 70);
         }},
        {"clicks-nine",
         [&] {
             clicks(1);
             EXPECT_EQ(game.day, 72) << "the tenth click of the day passes it";
             EXPECT_EQ(game.clicks, 0);
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.input);
        ASSERT_EQ(load(readInput(c.input)), "");
        c.step();
        game.ui_closeAllWindows();
        // The latest day passes no more days; every other city goes on.
        if (game.day < SaveFile::MaxDay)
            passDays(2);
        savesAndLoadsAgain(c.input);
    }
}

// The limit the next test runs under holds in every build, the sanitizer
// ones included: what would pass it is refused with std::bad_alloc.
TEST(MemoryLimitTest, AllocationsBeyondTheLimitThrow)
{
    fixtures::MemoryLimit limit(2ll * 1024 * 1024 * 1024);
    bool thrown = false;
    try
    {
        std::vector<char> huge(3ull * 1024 * 1024 * 1024);
        huge[0] = 1;
    }
    catch (const std::bad_alloc&)
    {
        thrown = true;
    }
    EXPECT_TRUE(thrown);
    std::vector<char> small(1024 * 1024);
    EXPECT_EQ(small.size(), 1024u * 1024u);
}

// The largest map the loader takes, half houses and half markets, with the
// process held to 2 GiB: it loads and plays, or it is refused for want of
// memory, saying so, and the running city is the one it was.
TEST_F(HostileFiles, TheLargestDenseMapLoadsOrIsRefusedForMemory)
{
    const int side = SaveFile::MaxSide;
    SaveFile save;
    save.width = side;
    save.height = side;
    save.unlockFlags = 511;
    save.money = 100000;
    save.tiles.resize(static_cast<size_t>(side) * side);
    for (int y = 0; y < side; ++y)
    {
        for (int x = 0; x < side; ++x)
        {
            SavedTile& t = save.tiles[x + y * side];
            t.x = x;
            t.y = y;
            t.revealed = true;
            t.hasRecord = true;
            SavedRecord& r = t.record;
            r.level = 1;
            if ((x + y) % 2 == 0)
            {
                t.type = TileHouse;
                r.capacity = 3;
                r.residents = 3;
                r.baseIncome = 2;
            }
            else
            {
                t.type = TileShop;
                r.capacity = 15;
                r.range = 4;
                r.baseIncome = 5;
            }
        }
    }
    const std::string text = save.format();
    EXPECT_GT(text.size(), 5u * 1000 * 1000);
    ASSERT_TRUE(game.saveGame(2));
    const std::string before = slotText(2);

    fixtures::MemoryLimit limit(2ll * 1024 * 1024 * 1024);
    std::string log = load(text);
    if (!log.empty())
    {
        EXPECT_NE(log.find("refused, there is not enough memory for its map of 256 x 256 tiles"), std::string::npos)
            << log;
        std::vector<ShownMessage> shown = messages();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().title, Font::toUpper("Oh no."));
        EXPECT_EQ(game.map->width, 10);
        ASSERT_TRUE(game.saveGame(2));
        EXPECT_EQ(slotText(2), before);
        return;
    }
    EXPECT_EQ(game.map->width, side);
    passDays(1);
    city.takeLoan(5000);
    game.ui_showTileInformation(&tile(0, 0));
    pressRent("rentDecrease");
    game.ui_closeAllWindows();
    game.map->rotateLeft();
    savesAndLoadsAgain("dense");
}

// Named pipes where a slot or its temporary file belongs: the slots window
// and the loader never wait for a writer, and a save replaces the pipe.
TEST_F(HostileFiles, NamedPipesInTheSlotsNeverBlock)
{
    ASSERT_TRUE(platform::makeDirectory(dir.path + "saves/"));
    ASSERT_EQ(mkfifo(savePath(1).c_str(), 0644), 0);
    ASSERT_EQ(mkfifo((dir.path + "saves/2.tmp").c_str(), 0644), 0);

    game.ui_showSaveSlots(false);
    ASSERT_NE(screens::saveSlotsWindow, nullptr);
    EXPECT_TRUE(showsText(screens::saveSlotsWindow, "Damaged"));

    testing::internal::CaptureStdout();
    EXPECT_FALSE(game.loadGame(1));
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("refused, it is not a file"), std::string::npos) << log;
    EXPECT_EQ(game.map->width, 10);

    ASSERT_TRUE(game.saveGame(2));
    struct stat info{};
    ASSERT_EQ(stat(savePath(2).c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_FALSE(fileExists(dir.path + "saves/2.tmp"));
    ASSERT_TRUE(game.saveGame(1));
    ASSERT_TRUE(game.loadGame(1));
}

// Over the title screen the Load window covers every title button whole.
TEST_F(HostileFiles, TheTitleLoadWindowCoversTheButtons)
{
    game.showMainMenu();
    game.ui_showSaveSlots(false);
    gui::Window* window = screens::saveSlotsWindow;
    ASSERT_NE(window, nullptr);
    sf::Vector2i w = window->getAbsolutePosition();
    for (gui::Button* button : {game.mainMenu->newGameButton, game.mainMenu->loadButton,
                                game.mainMenu->optionsButton, game.mainMenu->exitButton})
    {
        sf::Vector2i b = button->getAbsolutePosition();
        EXPECT_LE(w.x, b.x);
        EXPECT_LT(w.y, b.y) << "the window's frame lies above the button's top edge";
        EXPECT_GE(w.x + window->width, b.x + button->width);
        EXPECT_GT(w.y + window->height, b.y + button->height);
    }
}

} // namespace
