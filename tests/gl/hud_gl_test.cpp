// The heads-up display through the real UI: its numbers and date, the build
// controls and progress bar, the next-day button's sounds and cool-downs,
// the layer buttons with their option panels and the one-time help, and its
// placement on every logical screen size.

#include "HudWorld.h"

#include "gui/Image.h"
#include "resources/Settings.h"
#include "resources/SoundManager.h"
#include "simulation/House.h"
#include "simulation/Tile.h"

#include <gtest/gtest.h>

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <thread>
#include <vector>
#include "support/ConcurrencyTest.h"

namespace
{

using fixtures::HudWorld;
using namespace screens;

gui::Text* textOf(HudWorld& world, const char* name)
{
    return static_cast<gui::Text*>(world.find(name));
}

TEST(HudGlTest, DateShowsDayMonthAndYearWithLeadingZeros)
{
    HudWorld world;
    const struct
    {
        int day;
        const char* shown;
    } cases[] = {
        {0, "01/01 Y1"},    {8, "09/01 Y1"},    {9, "10/01 Y1"},    {29, "30/01 Y1"},  {30, "01/02 Y1"},
        {269, "30/09 Y1"},  {270, "01/10 Y1"},  {305, "06/11 Y1"},  {359, "30/12 Y1"}, {360, "01/01 Y2"},
        {3605, "06/01 Y11"},
    };
    for (const auto& c : cases)
    {
        world.game.day = c.day;
        world.frame();
        EXPECT_EQ(textOf(world, "dateText")->text, c.shown) << "day " << c.day;
    }
}

TEST(HudGlTest, MoneyAndPopulationShowWholeNumbers)
{
    HudWorld world;
    const struct
    {
        double money;
        int population;
        const char* moneyShown;
        const char* populationShown;
    } cases[] = {
        {25000.0, 0, "25000", "0"},
        {24980.75, 3, "24980", "3"},
        {-1250.75, 1234, "-1250", "1234"},
        {0.99, 15, "0", "15"},
        {1e12, 7, "2147483647", "7"},
    };
    for (const auto& c : cases)
    {
        world.game.city->setMoney(c.money);
        {
            sf::Lock lock(world.game.city->populationMutex);
            world.game.city->population = c.population;
        }
        world.frame();
        EXPECT_EQ(textOf(world, "moneyText")->text, c.moneyShown);
        EXPECT_EQ(textOf(world, "populationText")->text, c.populationShown);
    }
}

TEST(HudGlTest, BuildTitleSwapsTheProgressControlsForTheNextDayButton)
{
    HudWorld world;
    auto shown = [&] {
        return std::vector<bool>{buildTitleText->visible, actionProgressButton->visible, actionProgressBar->visible,
                                 cancelActionButton->visible, nextDayButton->visible};
    };
    const std::vector<bool> building = {true, true, true, true, false};
    const std::vector<bool> idle = {false, false, false, false, true};

    EXPECT_EQ(shown(), idle) << "a new HUD shows no build controls";
    EXPECT_EQ(buildTitleText->text, "Build title goes here");

    world.game.ui_setBuildTitle("Build road");
    EXPECT_EQ(shown(), building);
    EXPECT_EQ(buildTitleText->text, "Build road");
    EXPECT_EQ(world.game.ui->statusMessage, "Build road");

    for (int id : {0, 20, 31})
    {
        world.game.ui_setBuildTitle("Build road");
        world.game.ui_setBuildTitle(actionTitles[id]);
        EXPECT_EQ(shown(), idle) << "action title " << id;
    }
    EXPECT_EQ(world.game.ui->statusMessage, "Build mode");

    // From the tick's thread the change waits for the next frame.
    std::thread tick([&] { world.game.ui_setBuildTitle("Put out fires!"); });
    tick.join();
    EXPECT_EQ(shown(), idle);
    world.frame();
    EXPECT_EQ(shown(), building);
    EXPECT_EQ(buildTitleText->text, "Put out fires!");
}

TEST(HudGlTest, ProgressBarFillsWithTheActionsProgress)
{
    HudWorld world;
    world.game.ui_setBuildTitle("Build road");
    const sf::Color dark = world.game.darkColor;
    const struct
    {
        double progress;
        int clicksNeeded;
        int filled; // of the 90 pixels inside the bar's frame
        const char* percent;
    } cases[] = {
        {0.0, 10, 0, "0%"}, {5.0, 10, 45, "50%"}, {1.0, 3, 30, "33%"}, {10.0, 10, 90, "100%"}, {4.0, 0, 0, "0%"},
    };
    for (const auto& c : cases)
    {
        world.game.action.id = 1;
        world.game.action.progress = c.progress;
        world.game.action.clicksNeeded = c.clicksNeeded;
        sf::Image image = world.frame();
        sf::Vector2i bar = actionProgressBar->getAbsolutePosition();
        // The frame's track is clear on its first row and dotted on its second.
        int filled = 0;
        for (int x = 0; x < 90; ++x)
            filled += image.getPixel(bar.x + 5 + x, bar.y + 2) == dark ? 1 : 0;
        for (int x = 0; x < filled; ++x)
            EXPECT_EQ(image.getPixel(bar.x + 5 + x, bar.y + 3), dark) << "the fill is two rows high, at x " << x;
        EXPECT_EQ(filled, c.filled) << c.progress << " of " << c.clicksNeeded;
        EXPECT_EQ(textOf(world, "progressText")->text, c.percent);
    }
}

CONCURRENCY_TEST(HudGlTest, NextDayClicksPlayTickThenTockWithinHalfASecond)
{
    HudWorld world;
    gui::Widget* button = world.find("nextDay");

    world.click(button);
    EXPECT_TRUE(tickShown) << "first click: tick";
    EXPECT_DOUBLE_EQ(tickWindow, 0.5);
    EXPECT_EQ(world.game.day, 1);
    world.finishDay();
    world.frame(0.2f);

    world.click(button);
    EXPECT_FALSE(tickShown) << "second click inside the window: tock";
    EXPECT_EQ(world.game.day, 2);
    world.finishDay();

    world.click(button);
    EXPECT_TRUE(tickShown) << "third click: tick again";
    world.finishDay();

    // Once the window has passed, the next click is a tick again.
    world.frame(0.3f);
    EXPECT_TRUE(tickShown);
    world.frame(0.3f);
    EXPECT_FALSE(tickShown);
    EXPECT_DOUBLE_EQ(tickWindow, 0.0);
    world.click(button);
    EXPECT_TRUE(tickShown);
    EXPECT_EQ(world.game.day, 4);
}

CONCURRENCY_TEST(HudGlTest, NextDayButtonWaitsForTheTickAndTheCoolDowns)
{
    HudWorld world;
    gui::Button* button = static_cast<gui::Button*>(world.find("nextDay"));
    sf::Sprite* enabledLook = world.game.sprites->getSprite("ui/date_button");
    sf::Sprite* disabledLook = world.game.sprites->getSprite("ui/date_button_disabled");

    // An ordinary day: disabled while its tick runs, enabled as soon as it is freed.
    world.click(button);
    EXPECT_FALSE(button->enabled);
    EXPECT_EQ(button->image->sprite, disabledLook);
    world.finishDay();
    EXPECT_TRUE(button->enabled);
    EXPECT_EQ(button->image->sprite, enabledLook);

    // The day that starts a year keeps it disabled for a second.
    world.game.day = 359;
    world.click(button);
    EXPECT_EQ(world.game.day, 360);
    world.finishDay();
    EXPECT_FALSE(button->enabled) << "freeing the tick must not cut the year's cool-down short";
    world.frame(0.5f);
    world.game.ui_setDateButtonEnabled(true);
    EXPECT_FALSE(button->enabled);
    world.frame(0.45f);
    EXPECT_FALSE(button->enabled);
    world.frame(0.1f);
    EXPECT_TRUE(button->enabled);

    // A progress click keeps it disabled for half a second.
    world.blankMap(8, 8);
    world.build(3, 3, TileRoad);
    world.game.map->updateTileActions();
    Tile* empty = world.game.map->getTile(3, 4);
    world.game.startAction(static_cast<int>(empty->id), 0, 0);
    ASSERT_EQ(world.game.action.id, 1);
    world.click(world.find("actionProgress"));
    EXPECT_DOUBLE_EQ(world.game.action.progress, 1.0);
    EXPECT_FALSE(button->enabled);
    world.frame(0.2f);
    world.frame(0.2f);
    EXPECT_FALSE(button->enabled);
    world.frame(0.2f);
    EXPECT_TRUE(button->enabled);
}

// Which sound each next-day click plays: tick first, tock for a click inside
// the tick's half second, tick for the click after a tock or once that half
// second has passed. The effects get buffers of
// ten seconds, so a sound that played is still playing when it is looked at.
CONCURRENCY_TEST(HudGlTest, NextDayClicksSoundTickThenTock)
{
    std::vector<sf::Int16> samples(44100 * 10, 1000);
    sf::SoundBuffer longSound;
    ASSERT_TRUE(longSound.loadFromSamples(samples.data(), samples.size(), 1, 44100));
    HudWorld world;
    world.game.settings->set("sfxEnabled", "true");
    world.game.sounds = new SoundManager(&world.game);
    testing::internal::CaptureStdout();
    world.game.sounds->loadSounds();
    testing::internal::GetCapturedStdout();
    sf::Sound* tick = world.game.sounds->getSound("tick");
    sf::Sound* tock = world.game.sounds->getSound("tock");
    ASSERT_NE(tick, nullptr);
    ASSERT_NE(tock, nullptr);
    tick->setBuffer(longSound);
    tock->setBuffer(longSound);
    auto heard = [&] {
        std::string played = tick->getStatus() == sf::SoundSource::Playing ? "tick" : "";
        played += tock->getStatus() == sf::SoundSource::Playing ? "tock" : "";
        tick->stop();
        tock->stop();
        return played;
    };
    gui::Widget* button = world.find("nextDay");

    world.click(button);
    EXPECT_EQ(heard(), "tick") << "the first click";
    world.finishDay();
    world.frame(0.25f);
    world.click(button);
    EXPECT_EQ(heard(), "tock") << "a click inside the tick's half second";
    world.finishDay();
    world.click(button);
    EXPECT_EQ(heard(), "tick") << "the click after a tock";
    world.finishDay();
    world.frame(0.5f);
    world.click(button);
    EXPECT_EQ(heard(), "tick") << "a click once the tick's half second has passed";
    world.finishDay();
    world.click(button);
    EXPECT_EQ(heard(), "tock") << "a click at once after that tick";
    world.finishDay();
}

// The cool-downs end on the very frame their time runs out, neither a frame
// sooner nor later: with frames of a quarter second, the year's second on
// the fourth frame, a progress click's half second and the tick's window on
// the second.
CONCURRENCY_TEST(HudGlTest, CoolDownsEndOnTheFrameTheirTimeRunsOut)
{
    HudWorld world;
    gui::Button* button = static_cast<gui::Button*>(world.find("nextDay"));

    world.click(button);
    world.finishDay();
    ASSERT_TRUE(tickShown);
    world.frame(0.25f);
    EXPECT_TRUE(tickShown) << "a quarter second into the tick's half second";
    world.frame(0.25f);
    EXPECT_FALSE(tickShown) << "the tick's half second is over";

    world.game.day = 359;
    world.click(button);
    world.finishDay();
    for (int frame = 1; frame <= 5; ++frame)
    {
        world.frame(0.25f);
        EXPECT_EQ(button->enabled, frame >= 4) << "year's cool-down, frame " << frame;
    }

    world.blankMap(8, 8);
    world.build(3, 3, TileRoad);
    world.game.map->updateTileActions();
    Tile* empty = world.game.map->getTile(3, 4);
    world.game.startAction(static_cast<int>(empty->id), 0, 0);
    ASSERT_EQ(world.game.action.id, 1);
    world.click(world.find("actionProgress"));
    for (int frame = 1; frame <= 3; ++frame)
    {
        world.frame(0.25f);
        EXPECT_EQ(button->enabled, frame >= 2) << "progress click's cool-down, frame " << frame;
    }
}

TEST(HudGlTest, TenProgressClicksBuildARoadAndPassADay)
{
    HudWorld world;
    world.blankMap(8, 8);
    world.build(3, 3, TileRoad);
    world.game.map->updateTileActions();
    Tile* empty = world.game.map->getTile(3, 4);
    world.game.startAction(static_cast<int>(empty->id), 0, 0);
    for (int i = 0; i < 10; ++i)
    {
        world.click(world.find("actionProgress"));
        world.frame(0.6f);
    }
    EXPECT_EQ(empty->type, TileRoad);
    EXPECT_EQ(world.game.action.id, 0);
    EXPECT_EQ(world.game.day, 1);
    EXPECT_FALSE(actionProgressButton->visible);
    EXPECT_TRUE(nextDayButton->visible);
}

TEST(HudGlTest, LayerButtonsChooseTheLayerAndItsOptionsPanel)
{
    HudWorld world;
    world.game.helpFlags = 1; // the help has its own test
    const struct
    {
        const char* button;
        int layer;
        bool buildOptions;
        bool populationOptions;
    } cases[] = {
        {"sideRatings", 2, false, false}, {"sidePopulation", 1, false, true},
        {"sideNeeds", 3, false, false},   {"sideBuild", 0, true, false},
    };
    for (const auto& c : cases)
    {
        world.click(world.find(c.button));
        world.frame();
        EXPECT_EQ(world.game.map->infoLayer, c.layer) << c.button;
        EXPECT_EQ(world.game.ui->statusMessage, layerCaptions[c.layer]) << c.button;
        EXPECT_EQ(world.find("buildOptions")->visible, c.buildOptions) << c.button;
        EXPECT_EQ(world.find("populationOptions")->visible, c.populationOptions) << c.button;
    }
    EXPECT_EQ(world.dialog(), nullptr);

    // A layer changed elsewhere (a new game, a key) brings its own panel too.
    world.game.map->setInfoLayer(1);
    world.frame();
    EXPECT_TRUE(world.find("populationOptions")->visible);
    EXPECT_FALSE(world.find("buildOptions")->visible);
}

TEST(HudGlTest, PopulationHelpComesOncePerGame)
{
    HudWorld world;
    world.click(world.find("sidePopulation"));
    world.frame();
    ASSERT_NE(world.dialog(), nullptr);
    EXPECT_EQ(HudWorld::titleOf(world.dialog()), "RESIDENTS");
    EXPECT_EQ(world.game.helpFlags & 1, 1);
    world.closeDialog();

    world.click(world.find("sideBuild"));
    world.click(world.find("sidePopulation"));
    world.frame();
    EXPECT_EQ(world.dialog(), nullptr) << "the help came a second time";
    EXPECT_EQ(world.game.map->infoLayer, 1);

    world.game.helpFlags = 0; // what a new game does
    world.click(world.find("sidePopulation"));
    world.frame();
    EXPECT_NE(world.dialog(), nullptr);
}

TEST(HudGlTest, OptionPanelsSetTheMapFiltersAndALayerChangeResetsThem)
{
    HudWorld world;
    world.game.helpFlags = 1;
    Map& map = *world.game.map;
    auto box = [&](const char* name) { return static_cast<gui::CheckBox*>(world.find(name)); };

    world.click(box("hideBuildings"));
    EXPECT_FALSE(map.showBuildings);
    EXPECT_TRUE(box("hideBuildings")->checked);

    world.click(world.find("sidePopulation"));
    world.frame();
    EXPECT_TRUE(map.showBuildings) << "a layer change shows the buildings again";
    EXPECT_FALSE(box("hideBuildings")->checked);

    world.click(box("showShops"));
    EXPECT_TRUE(map.showHouseLabels);
    EXPECT_FALSE(map.showShopLabels);
    EXPECT_TRUE(map.showWorkplaceLabels);

    // A right click shows only that group.
    const struct
    {
        const char* box;
        bool housing, shops, jobs;
    } only[] = {{"showJobs", false, false, true}, {"showHousing", true, false, false}, {"showShops", false, true, false}};
    for (const auto& c : only)
    {
        world.click(box(c.box), sf::Mouse::Right);
        world.frame();
        EXPECT_EQ(map.showHouseLabels, c.housing) << c.box;
        EXPECT_EQ(map.showShopLabels, c.shops) << c.box;
        EXPECT_EQ(map.showWorkplaceLabels, c.jobs) << c.box;
        EXPECT_EQ(box("showHousing")->checked, c.housing) << c.box;
        EXPECT_EQ(box("showShops")->checked, c.shops) << c.box;
        EXPECT_EQ(box("showJobs")->checked, c.jobs) << c.box;
    }

    world.click(world.find("sideNeeds"));
    world.click(world.find("sidePopulation"));
    world.frame();
    EXPECT_TRUE(map.showHouseLabels && map.showShopLabels && map.showWorkplaceLabels);
    EXPECT_TRUE(box("showHousing")->checked && box("showShops")->checked && box("showJobs")->checked);
}

TEST(HudGlTest, RotateButtonsTurnTheMap)
{
    HudWorld world;
    std::srand(7);
    world.game.map->create(0, 0, false);
    world.game.centerViewOnTile(37, 37);
    world.click(world.find("rotateLeft"));
    EXPECT_EQ(world.game.map->rotation, 1);
    world.click(world.find("rotateRight"));
    world.click(world.find("rotateRight"));
    EXPECT_EQ(world.game.map->rotation, -1);
}

// The widgets of the display that can show at once, with and without an action running.
std::vector<gui::Widget*> hudWidgets(HudWorld& world, bool building)
{
    std::vector<gui::Widget*> widgets;
    for (const char* name : {"rotateLeft", "rotateRight", "menuButton", "sideBuild", "sideRatings", "sidePopulation",
                             "sideNeeds", "sideFinances", "sideCity", "sideProduction", "buildOptions"})
        widgets.push_back(world.find(name));
    for (const char* name : {"moneyText", "populationText", "dateText"})
        widgets.push_back(world.find(name)->parent);
    if (building)
    {
        gui::Widget* controls[] = {buildTitleText, actionProgressButton, actionProgressBar, cancelActionButton};
        widgets.insert(widgets.end(), std::begin(controls), std::end(controls));
    }
    else
    {
        widgets.push_back(nextDayButton);
    }
    return widgets;
}

sf::IntRect boxOf(gui::Widget* widget)
{
    sf::Vector2i p = widget->getAbsolutePosition();
    return sf::IntRect(p.x, p.y, widget->width, widget->height);
}

TEST(HudGlTest, EveryWidgetFitsAboveTheStatusBarWithoutOverlapOnEveryScreenSize)
{
    HudWorld world;
    // Logical sizes: 640 x 360 is 1280 x 720 and full HD at their pixel
    // scales; the others are windows whose height is not a multiple of 360.
    const sf::Vector2i sizes[] = {{640, 360}, {683, 384}, {800, 450}, {800, 600}, {1024, 576}, {1279, 719}};
    for (const sf::Vector2i& size : sizes)
    {
        world.resize(size.x, size.y);
        const sf::IntRect screen(3, 3, size.x - 6, size.y - 13 - 4);
        for (bool building : {false, true})
        {
            world.game.ui_setBuildTitle(building ? actionTitles[14] : "");
            std::vector<gui::Widget*> widgets = hudWidgets(world, building);
            for (size_t i = 0; i < widgets.size(); ++i)
            {
                sf::IntRect a = boxOf(widgets[i]);
                sf::IntRect inside;
                EXPECT_TRUE(screen.intersects(a, inside) && inside == a)
                    << size.x << "x" << size.y << ": widget " << i << " leaves the screen";
                for (size_t j = i + 1; j < widgets.size(); ++j)
                    EXPECT_FALSE(a.intersects(boxOf(widgets[j])))
                        << size.x << "x" << size.y << ": widgets " << i << " and " << j << " overlap";
            }
        }
        // The population panel takes the build panel's place; the help dialog fits as well.
        EXPECT_EQ(boxOf(world.find("populationOptions")).left, boxOf(world.find("buildOptions")).left);
    }
}

TEST(HudGlTest, ClosingAllWindowsHidesTheProgressControls)
{
    HudWorld world;
    world.game.ui_setBuildTitle("Build road");
    world.game.ui_closeAllWindows();
    EXPECT_FALSE(actionProgressButton->visible);
    EXPECT_FALSE(actionProgressBar->visible);
}

} // namespace
