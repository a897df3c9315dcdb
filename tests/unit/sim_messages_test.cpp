// The simulation's messages reach the player through the real UI: fires,
// firefighting and a refused loan repayment, also from the day tick's thread.

#include "../support/GameParts.h"
#include "../support/Fixtures.h"
#include "../support/HeadlessUi.h"
#include "SimFixture.h"

#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Font.h"
#include "simulation/House.h"
#include "simulation/TextTables.h"

#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

class SimMessagesTest : public SimTest
{
protected:
    void SetUp() override
    {
        fixtures::giveHeadlessUi(game);

        housesAlongRoad();
    }

    void TearDown() override
    {
        finishDay(game);
        freeGameParts(game);
    }

    // The open message dialogs, oldest first, with their text unwrapped.
    std::vector<ShownMessage> messages() { return fixtures::shownMessages(game.ui->gameRoot); }
};

CONCURRENCY_TEST_F(SimMessagesTest, FiresOfOneDayRaiseOneAlarmAndPuttingThemOutOneMessage)
{
    map.startFire(tile(2, 4));
    map.startFire(tile(3, 4));
    map.startFire(tile(3, 4));
    std::vector<ShownMessage> shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, Font::toUpper("AAAAAAAAHH!"));
    EXPECT_EQ(shown[0].text, "Fire has broken out in the city! Put it out, quickly!");

    int clicks = 0;
    while (game.action.id == 17 && clicks < 100)
    {
        game.progressAction();
        finishDay(game);
        ++clicks;
    }
    EXPECT_EQ(game.action.id, 0) << "still burning after " << clicks << " clicks";
    shown = messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].title, Font::toUpper("Phew"));
    EXPECT_EQ(shown[1].text, "Fire has been put out but the houses have been destroyed..");
    EXPECT_EQ(tile(2, 4).type, TileRubble);
    EXPECT_EQ(tile(3, 4).type, TileRubble);
    EXPECT_EQ(tile(4, 4).type, TileHouse);
}

CONCURRENCY_TEST_F(SimMessagesTest, AFireFromTheTickThreadWaitsForTheNextFrame)
{
    std::thread tick([this] {
        sf::Lock lock(game.tileMutex);
        map.startFire(tile(4, 4));
    });
    tick.join();
    EXPECT_TRUE(messages().empty()) << "the tick must not touch the widget tree";
    EXPECT_EQ(game.action.id, 17);

    game.ui->runPosted();
    std::vector<ShownMessage> shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, Font::toUpper("AAAAAAAAHH!"));
}

CONCURRENCY_TEST_F(SimMessagesTest, UnlocksAreAnnouncedOnTheMainThreadInTheirOrder)
{
    blankMap(20, 20);
    for (int i = 0; i < 50; ++i)
    {
        Tile& t = tile(i % 20, i / 20);
        t.flags |= TileBurning; // burning houses keep their residents
        t.setType(TileHouse, 3);
        static_cast<House*>(t.building)->residents = 14;
    }
    map.recalculateVisibleTiles();
    passDay();
    EXPECT_TRUE(messages().empty()) << "the tick must not touch the widget tree";

    game.ui->runPosted();
    std::vector<ShownMessage> shown = messages();
    const std::string* expected[] = {&unlockTextLandfill,      &unlockTextLargeHousing,   &unlockTextFlats,
                                     &unlockTextConvenienceStore, &unlockTextFireStation, &unlockTextPumpingStation};
    ASSERT_EQ(shown.size(), 6u) << "700 residents and 50 waste-producing buildings";
    for (size_t i = 0; i < shown.size(); ++i)
    {
        EXPECT_EQ(shown[i].title, Font::toUpper(unlockTitle));
        EXPECT_EQ(shown[i].text, replaceAll(*expected[i], "\n", " ")) << i;
    }

    passDay();
    game.ui->runPosted();
    EXPECT_EQ(messages().size(), 6u) << "each unlock is announced once";
}

CONCURRENCY_TEST_F(SimMessagesTest, TheTrashWarningIsShownOnce)
{
    game.unlockFlags = 1 << 8;
    city.streetTrash = 1000.0;
    for (int day = 0; day < 3; ++day)
    {
        passDay();
        game.ui->runPosted();
    }
    std::vector<ShownMessage> shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, Font::toUpper(trashWarningTitle));
    EXPECT_EQ(shown[0].text, replaceAll(trashWarningText, "\n", " "));
}

CONCURRENCY_TEST_F(SimMessagesTest, ARepaymentBeyondTheBalanceIsRefusedWithAMessage)
{
    city.takeLoan(5000);
    city.setMoney(4000);
    city.repayLoan(5000);
    EXPECT_EQ(city.loan, 5000);
    EXPECT_EQ(city.money, 4000.0);
    std::vector<ShownMessage> shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, Font::toUpper(noBudgetTitle));
    EXPECT_EQ(shown[0].text, noBudgetText);

    city.setMoney(6000);
    city.repayLoan(5000);
    EXPECT_EQ(city.loan, 0);
    EXPECT_EQ(city.money, 1000.0);
    EXPECT_EQ(messages().size(), 1u);
}

} // namespace
