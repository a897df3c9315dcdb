#ifndef QUILLFENN_SIMULATION_MAP_H
#define QUILLFENN_SIMULATION_MAP_H

#include "simulation/Tile.h"
#include "simulation/TileLists.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Mutex.hpp>

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

class Game;
class MapRenderer;
class House;

// The square grid of tiles the city stands on, with per-type lists of its
// revealed tiles. Tiles never move in memory between two resets, so pointers
// to them stay valid until the next create.
class Map : public TileLists
{
public:
    explicit Map(Game* game);

    // Frees every building record on the grid.
    ~Map();

    Map(const Map&) = delete;
    Map& operator=(const Map&) = delete;

    // Sizes and resets the grid (75 x 75 for a width of 0); a new game also
    // gets its starting road and house. Callers hold the game's tileMutex.
    void create(int width, int height, bool loading);

    // Resizes the grid and resets every tile, one in four becoming a tree.
    void resetTiles();

    // The tile at a grid position, or null outside the grid.
    Tile* getTile(int x, int y);

    // Same as getTile.
    Tile* tileAt(int x, int y);

    // Turns the map a quarter to the left, keeping the view on the same tile;
    // waits for a running day tick.
    void rotateLeft();

    // Turns the map a quarter to the right, keeping the view on the same tile;
    // waits for a running day tick.
    void rotateRight();

    // Recomputes everything that depends on where the contents stand.
    void rebuildAfterRotation();

    // Rebuilds the lists of revealed tiles by type and the supplier lists the last change affects.
    void recalculateVisibleTiles();

    // A copy of the revealed tiles, safe to walk while the list is rebuilt.
    std::vector<Tile*> copyRevealedTiles();

    // Marks the tiles outside the game view as off-screen.
    void updateOnScreenTiles();

    // Flags the tiles outside a rectangle of the world as off-screen, the others as on.
    void markOnScreen(const sf::FloatRect& view);

    // The world rectangle a view shows, its corner on a whole pixel: what is
    // drawn and what picking sees.
    static sf::FloatRect visibleRect(const sf::View& view);

    // The waste lying in the streets.
    double getStreetTrash() const;

    // Housing demand of a house class (house level - 1).
    double getHousingDemand(int index) const;

    // Selects a tile for its information window; null selects none.
    void setSelectedTile(Tile* tile);

    // Chooses the information layer drawn over the map.
    void setInfoLayer(int layer);

    // Draws the revealed, on-screen tiles (the map drawing's library).
    void draw(sf::RenderTarget& target);

    // Tiles inside a rectangle of grid positions, row by row, without its centre tile.
    std::vector<Tile*> getTilesInRect(int x0, int y0, int x1, int y1, bool revealedOnly);

    // Tiles of the square of a radius around a position, without the position itself.
    std::vector<Tile*> getTilesAround(int x, int y, int radius, bool revealedOnly);

    // Reveals the tiles whose whole distance from a position is at most the radius.
    void revealArea(int x, int y, int radius, bool recalculate);

    // Highlights the revealed tiles around a position.
    void highlightArea(int x, int y, int radius);

    // Removes the highlight.
    void clearHighlight();

    // Lets every house take its shopping, jobs and water from its nearest suppliers.
    void assignHousesToSuppliers();

    // Rebuilds the actions each revealed tile offers and turns new buildings toward a road.
    void updateTileActions();

    // The day tick's pass after an unlock: the offered actions only. Facing,
    // which the drawing reads every frame, is chosen by the main thread's
    // passes, which follow every placement, rotation and load.
    void updateOfferedActions();

    // Sets a tile burning and starts or lengthens putting out fires.
    void startFire(Tile& tile);

    // Turns every burning tile into rubble.
    void burnDownFires();

    Game* game;
    int width = 0;
    int height = 0;
    std::vector<Tile> tiles;
    int selectedTileId = -1;
    // Reset by updateTileActions, which the day tick also runs; the drawing counts it down.
    std::atomic<float> blinkTimer{0.0f};
    int infoLayer = 0;
    std::vector<Tile*> overlayTiles;
    int rotation = 0;
    int fireFrame = 0;
    float fireTimer = 0.0f;
    Tile* lastChangedTile = nullptr;
    int lastChangedType = TileAllTypes;
    // Types set since the last recalculateVisibleTiles.
    int typeChanges = 0;
    bool highlightActive = false;
    int highlightX = 0;
    int highlightY = 0;
    int highlightRadius = 0;
    bool showBuildings = true;
    bool showHouseLabels = true;
    bool showWorkplaceLabels = true;
    bool showShopLabels = true;
    std::vector<Tile*> revealedTiles;
    // tilesOfType (TileLists): the revealed tiles of each type, in grid
    // order; houses and shops by id.
    // The revealed suppliers of each need, whatever their type, by id.
    std::vector<Tile*> workplaces;
    std::vector<Tile*> waterSupplies;
    // What the houses see within three tiles, taken by the day tick for its
    // pass over the houses (types do not change during it); empty outside it.
    // Parks and landfills as summed-area tables of (width + 1) x (height + 1),
    // the nearest factory's squared distance per tile, -1 for none.
    struct Surroundings
    {
        std::vector<int> parks;
        std::vector<int> landfills;
        std::vector<int> factoryDistance;
    };
    Surroundings surroundings;

    // Takes the surroundings for the day tick's pass, and lets them go after it.
    void takeSurroundings();
    void releaseSurroundings();

    // The parks or landfills of a summed-area table within a radius of a tile, without the tile itself.
    int countAround(const std::vector<int>& sums, const Tile& tile, int radius, int type) const;
    sf::Mutex mutex;

    // Draws the map; made with the first frame, so a map without a window has
    // none. Shared, so that its deleter is made where it is, in the drawing's
    // library: the model frees it without linking the drawing.
    std::shared_ptr<MapRenderer> renderer;

private:
    // Moves every tile's contents a quarter turn.
    void rotate(bool right);

    // A supplier as one kind of the houses' lists were last built from it.
    struct ListedSupplier
    {
        Tile* tile;
        unsigned int id;
        int range;
    };

    // One kind of supplier list of the houses.
    struct SupplierLists
    {
        std::vector<Tile*> Tile::*list;
        std::vector<ListedSupplier> listed;
        // Every listed house's list holds what `listed` gives it: a change
        // may then be applied to the houses in its reach alone.
        bool inSync = false;
    };

    // Rebuilds one kind of supplier list of every house, nearest first.
    void rebuildSupplierLists(SupplierLists& kind, const std::vector<Tile*>& suppliers);

    // Brings one kind of list up to date with the suppliers that came, went
    // or changed their reach since it was last built or updated.
    void updateSupplierLists(SupplierLists& kind, const std::vector<Tile*>& suppliers);

    // True when no house appeared since the last pass but the one the last change built.
    bool housesStayedListed(const Tile* built) const;

    // Forgets what the lists were built from: the next pass rebuilds them.
    void unlistSuppliers();

    SupplierLists supplierLists[3] = {{&Tile::nearShops, {}, false},
                                      {&Tile::nearWorkplaces, {}, false},
                                      {&Tile::nearWater, {}, false}};
    // The revealed tiles of the pass before the last, emptied and refilled by the next.
    std::vector<Tile*> revealedScratch;

    // Ids of the houses of the last pass, in their order.
    std::vector<unsigned int> listedHouseIds;

    // A house of the day's order, and where the search of its list found
    // the first supplier with room (the list's end for none).
    struct Served
    {
        Tile* house;
        House* record;
        size_t from;
        Building* supplier; // the record found there, null for none
    };

    // The day's orders of the houses and their scratch, kept from one day to the next.
    std::vector<std::pair<int, Served>> servedScratch;
    std::vector<Served> unservedScratch;
    std::vector<int> countScratch;
    // Per kind and tile: whether the supplier there has room (see orderByNearestSupplier).
    std::vector<unsigned char> roomScratch[3];
    std::vector<Served> orderScratch[3];
    // The suppliers with room in each block of the grid (see serveInOrder).
    std::vector<int> regionRoomScratch;

    // Orders the houses by the distance to the first supplier of their list
    // with room (see assignHousesToSuppliers).
    template <typename Kind>
    void orderByNearestSupplier(std::vector<Served>& order, std::vector<unsigned char>& room);

    // Serves each house of an order from its list, as House::satisfyShopping
    // and the others do; the suppliers are the ones the lists were built from.
    template <typename Kind>
    void serveInOrder(const std::vector<Served>& order, std::vector<unsigned char>& room,
                      const std::vector<Tile*>& suppliers);

    // Frees every building record and empties the per-type lists.
    void releaseContents();

    // The lists of revealed tiles by type and by need.
    std::vector<std::vector<Tile*>*> typeLists();

    // The list of suppliers of a need a tile type joins, or null.
    std::vector<Tile*>* supplierGroup(int type);

    // Builds a type on a tile of the starting layout.
    void place(int x, int y, int type, int level);

    // Rebuilds every revealed tile's offered actions, and its facing when asked.
    void rebuildActions(bool withFacing);

    // The actions a revealed tile offers now.
    void offerActions(Tile& tile);

    // Turns a new building toward a neighbouring road.
    void chooseFacing(Tile& tile);
};

inline Tile* Tile::neighbour(int dx, int dy) const
{
    int nx = x + dx;
    int ny = y + dy;
    if (!map || nx < 0 || ny < 0 || nx >= map->width || ny >= map->height)
        return nullptr;
    return &map->tiles[static_cast<size_t>(nx) + static_cast<size_t>(ny) * map->width];
}

#endif
