#include "simulation/Map.h"

#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

// The houses' supplier lists and the daily hand-out that reads them. A list
// holds the suppliers whose reach covers the house, nearest first and equal
// distances by id: the order every choice of a supplier follows.

namespace
{
std::int64_t distanceSquared(const Tile& a, const Tile& b)
{
    std::int64_t dx = a.x - b.x;
    std::int64_t dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// Where a supplier comes in a house's list.
bool nearer(const Tile& house, const Tile& a, const Tile& b)
{
    std::int64_t da = distanceSquared(house, a);
    std::int64_t db = distanceSquared(house, b);
    return da != db ? da < db : a.id < b.id;
}

// Calls the visit with every listed house in the square reach of a supplier.
template <typename Visit>
void forEachHouseInReach(Map& map, const Tile& supplier, int range, Visit visit)
{
    if (range < 0)
        return;
    // A damaged save may hold any range: nothing lies beyond the grid.
    int r = std::min(range, std::max(map.width, map.height));
    int x0 = std::max(supplier.x - r, 0);
    int x1 = std::min(supplier.x + r, map.width - 1);
    int y0 = std::max(supplier.y - r, 0);
    int y1 = std::min(supplier.y + r, map.height - 1);
    for (int y = y0; y <= y1; ++y)
    {
        Tile* row = &map.tiles[static_cast<size_t>(y) * map.width];
        for (int x = x0; x <= x1; ++x)
        {
            Tile& tile = row[x];
            if (tile.type == TileHouse && (tile.flags & TileRevealed))
                visit(tile);
        }
    }
}

const unsigned char roomUnknown = 0, roomLeft = 1, roomNone = 2;

// Whether the supplier on a tile of a list has room: looked up once a day,
// then kept by its place on the grid, as only the hand-out fills it further.
template <typename Kind>
unsigned char roomOf(const Tile* grid, std::vector<unsigned char>& room, const Tile* candidate)
{
    unsigned char& state = room[static_cast<size_t>(candidate - grid)];
    if (state == roomUnknown)
    {
        const typename Kind::Record* record = Kind::recordOf(*candidate);
        state = record && Kind::hasRoom(*record) ? roomLeft : roomNone;
    }
    return state;
}

// The three kinds of supply as the day's hand-out sees them.
struct Shopping
{
    using Record = Shop;
    static constexpr std::vector<Tile*> Tile::*list = &Tile::nearShops;
    static constexpr int House::*demand = &House::shoppingDemand;
    static Shop* recordOf(const Tile& t) { return t.shop(); }
    static bool hasRoom(const Shop& s) { return s.customers.load() < s.capacity; }
    static void serve(Shop& s, House* house) { s.serve(house); }
};

struct Jobs
{
    using Record = Factory;
    static constexpr std::vector<Tile*> Tile::*list = &Tile::nearWorkplaces;
    static constexpr int House::*demand = &House::jobDemand;
    static Factory* recordOf(const Tile& t) { return t.workplace(); }
    static bool hasRoom(const Factory& f) { return f.workers.load() < f.jobs; }
    static void serve(Factory& f, House* house) { f.employ(house); }
};

struct Water
{
    using Record = WaterSupply;
    static constexpr std::vector<Tile*> Tile::*list = &Tile::nearWater;
    static constexpr int House::*demand = &House::waterDemand;
    static WaterSupply* recordOf(const Tile& t) { return t.waterSupply(); }
    static bool hasRoom(const WaterSupply& w) { return w.supplied.load() < w.capacity; }
    static void serve(WaterSupply& w, House* house) { w.serve(house); }
};

void unlist(std::vector<Tile*>& list, const Tile* supplier)
{
    auto at = std::find(list.begin(), list.end(), supplier);
    if (at != list.end())
        list.erase(at);
}
} // namespace

void Map::unlistSuppliers()
{
    for (SupplierLists& kind : supplierLists)
    {
        kind.listed.clear();
        kind.inSync = false;
    }
}

bool Map::housesStayedListed(const Tile* built) const
{
    // Both in id order: every house of this pass must have been listed before.
    size_t j = 0;
    for (const Tile* house : houses)
    {
        while (j < listedHouseIds.size() && listedHouseIds[j] < house->id)
            ++j;
        if (j < listedHouseIds.size() && listedHouseIds[j] == house->id)
            continue;
        if (house != built)
            return false;
    }
    return true;
}

void Map::rebuildSupplierLists(SupplierLists& kind, const std::vector<Tile*>& suppliers)
{
    for (Tile* house : houses)
        (house->*kind.list).clear();
    kind.listed.clear();
    // Suppliers come in id order, so a stable sort by distance gives the order.
    for (Tile* supplier : suppliers)
    {
        int range = supplier->reach();
        kind.listed.push_back({supplier, supplier->id, range});
        forEachHouseInReach(*this, *supplier, range, [&](Tile& house) { (house.*kind.list).push_back(supplier); });
    }
    for (Tile* house : houses)
    {
        std::vector<Tile*>& list = house->*kind.list;
        for (size_t k = 1; k < list.size(); ++k)
        {
            Tile* entry = list[k];
            std::int64_t d = distanceSquared(*house, *entry);
            size_t j = k;
            for (; j > 0 && distanceSquared(*house, *list[j - 1]) > d; --j)
                list[j] = list[j - 1];
            list[j] = entry;
        }
    }
    kind.inSync = true;
}

void Map::updateSupplierLists(SupplierLists& kind, const std::vector<Tile*>& suppliers)
{
    std::vector<ListedSupplier> now;
    now.reserve(suppliers.size());
    for (Tile* supplier : suppliers)
        now.push_back({supplier, supplier->id, supplier->reach()});
    auto removeFromReach = [&](const ListedSupplier& gone) {
        forEachHouseInReach(*this, *gone.tile, gone.range,
                            [&](Tile& house) { unlist(house.*kind.list, gone.tile); });
    };
    auto addToReach = [&](const ListedSupplier& come) {
        Tile* supplier = come.tile;
        forEachHouseInReach(*this, *supplier, come.range, [&](Tile& house) {
            std::vector<Tile*>& list = house.*kind.list;
            // A house built since may list it already.
            unlist(list, supplier);
            auto at = std::find_if(list.begin(), list.end(),
                                   [&](const Tile* other) { return nearer(house, *supplier, *other); });
            list.insert(at, supplier);
        });
    };
    // Both in id order.
    size_t i = 0, j = 0;
    while (i < kind.listed.size() || j < now.size())
    {
        if (j == now.size() || (i < kind.listed.size() && kind.listed[i].id < now[j].id))
        {
            removeFromReach(kind.listed[i++]);
        }
        else if (i == kind.listed.size() || now[j].id < kind.listed[i].id)
        {
            addToReach(now[j++]);
        }
        else
        {
            if (kind.listed[i].tile != now[j].tile || kind.listed[i].range != now[j].range)
            {
                removeFromReach(kind.listed[i]);
                addToReach(now[j]);
            }
            ++i;
            ++j;
        }
    }
    kind.listed.swap(now);
}

template <typename Kind>
void Map::orderByNearestSupplier(std::vector<Served>& order, std::vector<unsigned char>& room)
{
    using Record = typename Kind::Record;
    // The houses by the distance to the supplier the list gives them (as
    // Tile::findShop and the others find it), nearest first and equal
    // distances in list order; houses without a supplier come last.
    // Distances are counted into place.
    room.assign(tiles.size(), roomUnknown);
    std::vector<std::pair<int, Served>>& served = servedScratch;
    std::vector<Served>& unserved = unservedScratch;
    served.clear();
    unserved.clear();
    int farthest = 0;
    const size_t ahead = 4;
    for (size_t h = 0; h < houses.size(); ++h)
    {
        Tile* house = houses[h];
        // The lists lie about the heap: the next few are fetched meanwhile.
        if (h + ahead < houses.size())
            __builtin_prefetch((houses[h + ahead]->*Kind::list).data());
        const std::vector<Tile*>& suppliers = house->*Kind::list;
        size_t from = 0;
        Record* found = nullptr;
        for (; from < suppliers.size(); ++from)
        {
            Tile* candidate = suppliers[from];
            if (roomOf<Kind>(tiles.data(), room, candidate) != roomLeft)
                continue;
            Record* record = Kind::recordOf(*candidate);
            if (record->range >= std::abs(candidate->x - house->x) && record->range >= std::abs(candidate->y - house->y))
            {
                found = record;
                break;
            }
        }
        if (!found)
        {
            unserved.push_back({house, house->house(), from, nullptr});
            continue;
        }
        int dx = found->tile->x - house->x;
        int dy = found->tile->y - house->y;
        int d = dx * dx + dy * dy;
        farthest = std::max(farthest, d);
        served.push_back({d, {house, house->house(), from, found}});
    }
    order.resize(houses.size());
    std::vector<int>& counts = countScratch;
    counts.assign(static_cast<size_t>(farthest) + 2, 0);
    for (const std::pair<int, Served>& entry : served)
        counts[static_cast<size_t>(entry.first) + 1] += 1;
    for (size_t d = 1; d < counts.size(); ++d)
        counts[d] += counts[d - 1];
    for (const std::pair<int, Served>& entry : served)
        order[static_cast<size_t>(counts[entry.first]++)] = entry.second;
    std::copy(unserved.begin(), unserved.end(), order.begin() + static_cast<std::ptrdiff_t>(served.size()));
}

template <typename Kind>
void Map::serveInOrder(const std::vector<Served>& order, std::vector<unsigned char>& room,
                       const std::vector<Tile*>& group)
{
    using Record = typename Kind::Record;
    // Each house takes from the nearest suppliers with room until its demand
    // is met or none is left. The ones its order's search passed over had
    // no room and serving only fills them further, and one that leaves
    // demand over is full: each search goes on after the last one found.
    // The order jumps about the grid: the records a few houses ahead are
    // fetched while this one is served.
    // Every list holds suppliers of the group alone, and a full one stays
    // full: once none has room, no house further on finds one, and the
    // searches through their whole lists can be left out. The same holds
    // near a house: its list lies within the farthest reach around it, so
    // the suppliers with room are counted by blocks of the grid too.
    const int shift = 4;
    const int blocksWide = (width >> shift) + 1;
    std::vector<int>& blocks = regionRoomScratch;
    blocks.assign(static_cast<size_t>(blocksWide) * ((height >> shift) + 1), 0);
    auto blockOf = [&](const Tile& t) { return static_cast<size_t>((t.y >> shift) * blocksWide + (t.x >> shift)); };
    size_t withRoom = 0;
    int farthest = 0;
    for (const Tile* supplier : group)
    {
        farthest = std::max(farthest, std::min(supplier->reach(), std::max(width, height)));
        if (roomOf<Kind>(tiles.data(), room, supplier) == roomLeft)
        {
            ++withRoom;
            ++blocks[blockOf(*supplier)];
        }
    }
    auto roomNear = [&](const Tile& home) {
        int x0 = std::max(home.x - farthest, 0) >> shift;
        int x1 = std::min(home.x + farthest, width - 1) >> shift;
        int y0 = std::max(home.y - farthest, 0) >> shift;
        int y1 = std::min(home.y + farthest, height - 1) >> shift;
        for (int by = y0; by <= y1; ++by)
            for (int bx = x0; bx <= x1; ++bx)
                if (blocks[static_cast<size_t>(by * blocksWide + bx)] > 0)
                    return true;
        return false;
    };
    auto filled = [&](Record& full) {
        room[static_cast<size_t>(full.tile - tiles.data())] = roomNone;
        --withRoom;
        --blocks[blockOf(*full.tile)];
    };
    // The list is fetched in two steps: the house's tile, which holds where
    // the list lies, further ahead, then the list's entries past its find.
    const size_t ahead = 8;
    for (size_t i = 0; i < order.size() && withRoom > 0; ++i)
    {
        if (i + 2 * ahead < order.size())
            __builtin_prefetch(&(order[i + 2 * ahead].house->*Kind::list));
        if (i + ahead < order.size())
        {
            const Served& next = order[i + ahead];
            __builtin_prefetch(next.record, 1);
            __builtin_prefetch(next.supplier, 1);
            __builtin_prefetch((next.house->*Kind::list).data() + next.from + 1);
        }
        const Served& entry = order[i];
        House* house = entry.record;
        Record* supplier = static_cast<Record*>(entry.supplier);
        // A house whose order found nobody with room finds nobody now either.
        if (!house || !supplier)
            continue;
        int& demand = house->*Kind::demand;
        if (demand <= 0)
            continue;
        // The one its order found, while it has room, is served without the list.
        size_t from = entry.from + 1;
        size_t at = static_cast<size_t>(supplier->tile - tiles.data());
        if (room[at] == roomLeft)
        {
            Kind::serve(*supplier, house);
            if (!Kind::hasRoom(*supplier))
                filled(*supplier);
        }
        if (demand <= 0 || !roomNear(*entry.house))
            continue;
        const std::vector<Tile*>* suppliers = nullptr;
        while (demand > 0)
        {
            if (!suppliers)
                suppliers = &(entry.house->*Kind::list);
            supplier = nullptr;
            for (; from < suppliers->size(); ++from)
            {
                Tile* candidate = (*suppliers)[from];
                if (roomOf<Kind>(tiles.data(), room, candidate) != roomLeft)
                    continue;
                Record* record = Kind::recordOf(*candidate);
                if (record->range >= std::abs(candidate->x - entry.house->x) &&
                    record->range >= std::abs(candidate->y - entry.house->y))
                {
                    supplier = record;
                    break;
                }
            }
            if (!supplier)
                break;
            Kind::serve(*supplier, house);
            if (!Kind::hasRoom(*supplier))
                filled(*supplier);
            ++from;
        }
    }
}

void Map::assignHousesToSuppliers()
{
    // All three orders are taken before anybody is served.
    orderByNearestSupplier<Shopping>(orderScratch[0], roomScratch[0]);
    orderByNearestSupplier<Jobs>(orderScratch[1], roomScratch[1]);
    orderByNearestSupplier<Water>(orderScratch[2], roomScratch[2]);
    serveInOrder<Shopping>(orderScratch[0], roomScratch[0], shops);
    serveInOrder<Jobs>(orderScratch[1], roomScratch[1], workplaces);
    serveInOrder<Water>(orderScratch[2], roomScratch[2], waterSupplies);
}
