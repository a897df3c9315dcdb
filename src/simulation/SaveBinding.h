#ifndef QUILLFENN_SIMULATION_SAVEBINDING_H
#define QUILLFENN_SIMULATION_SAVEBINDING_H

// What of the running city each field of a save file holds. One table of
// bindings per part (the game's counters and action, the city's books, a
// tile, each kind of building record) both captures a city into the file's
// data and applies the data back, so the two can never part.

class City;
class Game;
class Map;
class SaveFile;

// The game's counters, flags, running action, housing demand and goods tables.
void captureState(Game& game, SaveFile& save);
void applyGame(Game& game, SaveFile& save);

// Money, loan, population, profits, books and street trash, each under its mutex.
void captureCity(City& city, SaveFile& save);
void applyCity(City& city, SaveFile& save);

// The grid: every tile and its record.
void captureMap(const Map& map, SaveFile& save);

// Fills a new map of the saved size with the saved tiles and records; the
// ids are turned as often as the saved map was.
void fillMap(Map& map, const SaveFile& save);

#endif
