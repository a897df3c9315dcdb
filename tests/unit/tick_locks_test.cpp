// What the main thread may do while a day tick runs: changes to what the
// tick reads wait for it; the drawing's flag changes do not, and lose nothing.

#include "SimFixture.h"

#include "simulation/House.h"

#include <SFML/System/Lock.hpp>

#include <atomic>
#include <functional>
#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

// Holds tileMutex on another thread, as a running tick does.
class TickHolder
{
public:
    // Holds the mutex until let go, or for at most the given time.
    TickHolder(Game& game, int milliseconds)
    {
        thread = std::thread([this, &game, milliseconds] {
            sf::Lock lock(game.tileMutex);
            holding = true;
            sf::Clock clock;
            while (!letGo && clock.getElapsedTime().asMilliseconds() < milliseconds)
                sf::sleep(sf::milliseconds(1));
            released = true;
        });
        while (!holding)
            sf::sleep(sf::milliseconds(1));
    }
    ~TickHolder()
    {
        letGo = true;
        thread.join();
    }

    std::atomic<bool> holding{false};
    std::atomic<bool> letGo{false};
    std::atomic<bool> released{false};
    std::thread thread;
};

using TickLocksTest = SimTest;

CONCURRENCY_TEST_F(TickLocksTest, ChangesToWhatTheTickReadsWaitForIt)
{
    struct Case
    {
        const char* what;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"rotate left", [this] { map.rotateLeft(); }},
        {"rotate right", [this] { map.rotateRight(); }},
        {"rent", [this] { static_cast<House*>(tile(2, 4).building)->changeRent(1); }},
        {"price", [this] { game.setGoodsPrice(1, 0.5); }},
        {"loan", [this] { city.takeLoan(1000); }},
        {"repayment", [this] { city.repayLoan(1000); }},
        {"action start", [this] { game.startAction(tile(7, 5).id, 0, 0); }},
        {"action end",
         [this] {
             game.action.progress = game.action.clicksNeeded;
             game.completeAction();
         }},
    };
    housesAlongRoad();
    city.takeLoan(2000);
    game.startAction(tile(7, 5).id, 0, 0);
    ASSERT_EQ(game.action.id, 1);
    for (const Case& c : cases)
    {
        TickHolder tick(game, 60);
        c.run();
        EXPECT_TRUE(tick.released) << c.what << " went ahead of the tick";
    }
    EXPECT_EQ(tile(7, 5).type, TileRoad) << "the action was completed";
    EXPECT_EQ(city.loan, 2000);
    EXPECT_EQ(game.goodsPrice[1], 0.5);
}

CONCURRENCY_TEST_F(TickLocksTest, FlagChangesOfTheDrawingNeitherWaitNorLoseAFire)
{
    housesAlongRoad();
    game.gameView = new sf::View(sf::FloatRect(0, 0, 64, 36));
    {
        TickHolder tick(game, 5000);
        map.highlightArea(3, 4, 2);
        map.clearHighlight();
        map.updateOnScreenTiles();
        EXPECT_FALSE(tick.released) << "the flags are atomic: no need to wait";
    }

    // The tick sets burning bits while the main thread flips its own bits.
    std::atomic<bool> stop(false);
    std::thread tick([&] {
        sf::Lock lock(game.tileMutex);
        for (int round = 0; round < 200; ++round)
        {
            for (Tile& t : map.tiles)
                t.flags |= TileBurning;
            for (Tile& t : map.tiles)
                t.flags &= ~TileBurning;
        }
        for (Tile& t : map.tiles)
            t.flags |= TileBurning;
        stop = true;
    });
    int rounds = 0;
    while (!stop || rounds < 10)
    {
        map.highlightArea(rounds % 10, 5, 3);
        map.clearHighlight();
        game.gameView->move(rounds % 2 ? 40.0f : -40.0f, 0.0f);
        map.updateOnScreenTiles();
        ++rounds;
    }
    tick.join();
    for (Tile& t : map.tiles)
        EXPECT_TRUE(t.flags & TileBurning) << t.x << "," << t.y;
    for (Tile& t : map.tiles)
        EXPECT_FALSE(t.flags & TileHighlighted) << t.x << "," << t.y;
}

} // namespace
