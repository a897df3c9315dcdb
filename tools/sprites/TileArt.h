#ifndef QUILLFENN_TOOLS_SPRITES_TILEART_H
#define QUILLFENN_TOOLS_SPRITES_TILEART_H

#include "Canvas.h"

#include <SFML/Graphics/Image.hpp>

// Ground-level tile sprites: overlays, roads, fire, trash and the picking mask.
namespace TileArt
{
// True when box pixel (x, y) lies on the drawn 34 x 17 diamond (edges included).
bool inDiamond(int x, int y);

// True when box pixel (x, y) is on the diamond's two-pixel edge.
bool onDiamondEdge(int x, int y);

// Clears every pixel of a tile canvas that lies outside its bottom 34 x 17 diamond
// and below the box's top row.
void clipToDiamond(Canvas& canvas);

Canvas tileBorder();
Canvas tileOutline();
Canvas tileHighlighted();
Canvas tileSemiFilled();
Canvas hiddenTileOverlay();

// A road piece with the given connections.
Canvas road(bool north, bool south, bool west, bool east);

// The six fire frames side by side.
Canvas fireAnimation();

// Litter scattered over a street tile.
Canvas trashOnStreets();

// The colour-coded tile-picking mask.
sf::Image isomap();
} // namespace TileArt

#endif
