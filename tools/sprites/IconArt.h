#ifndef QUILLFENN_TOOLS_SPRITES_ICONART_H
#define QUILLFENN_TOOLS_SPRITES_ICONART_H

#include "Canvas.h"

#include <string>

// Icons: the 32 x 32 action icons, the side buttons and the small 8 x 8 signs.
namespace IconArt
{
// The icon of an action, by the part of its sprite name after "ui/action_".
Canvas action(const std::string& name);

// Side button k: 0 build, 1 ratings, 2 population, 3 needs, 4 finances, 5 city, 6 production.
Canvas sideButton(int k);

// A smiley: 1 happy, 0 flat, -1 sad.
Canvas attraction(int mood);
Canvas rentChange(bool increase);
Canvas smallArrow(bool next);
Canvas resetPrice();
Canvas needsIcons();
Canvas crime();
Canvas fireHazard();
Canvas needHospital();
} // namespace IconArt

#endif
