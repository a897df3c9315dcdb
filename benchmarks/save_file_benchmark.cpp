// How long writing and reading a save takes for a full 75 x 75 city with a
// house on every third tile: the text the slot gets, and the checked read
// of it that comes before the city is replaced.

#include "simulation/SaveFile.h"
#include "simulation/Tile.h"

#include <benchmark/benchmark.h>

namespace
{

SaveFile fullCity()
{
    SaveFile save;
    save.width = 75;
    save.height = 75;
    save.money = 1234567.89;
    save.tiles.resize(75 * 75);
    for (size_t i = 0; i < save.tiles.size(); ++i)
    {
        SavedTile& tile = save.tiles[i];
        tile.x = static_cast<int>(i % 75);
        tile.y = static_cast<int>(i / 75);
        tile.revealed = true;
        tile.crime = 0.1 * static_cast<double>(i % 7);
        tile.fireSafety = -1.0 / static_cast<double>(1 + i % 5);
        tile.type = i % 3 == 0 ? TileHouse : TileRoad;
        tile.hasRecord = tile.type == TileHouse;
        tile.record.level = 1;
        tile.record.capacity = 3;
        tile.record.growth = 1.0 / 3.0;
        tile.record.wastePerDay = 0.2;
    }
    return save;
}

void BM_SaveFileFormat(benchmark::State& state)
{
    SaveFile save = fullCity();
    for (auto _ : state)
        benchmark::DoNotOptimize(save.format());
}
BENCHMARK(BM_SaveFileFormat)->Unit(benchmark::kMillisecond);

void BM_SaveFileParse(benchmark::State& state)
{
    const std::string text = fullCity().format();
    SaveFile back;
    for (auto _ : state)
        benchmark::DoNotOptimize(back.parse(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SaveFileParse)->Unit(benchmark::kMillisecond);

} // namespace
