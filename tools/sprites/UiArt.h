#ifndef QUILLFENN_TOOLS_SPRITES_UIART_H
#define QUILLFENN_TOOLS_SPRITES_UIART_H

#include "Canvas.h"

// Frames, bars, buttons and the title screen art.
namespace UiArt
{
// A rounded plate: black rim, white inside, corners cut by one pixel.
Canvas plate(int width, int height);

// A square button: a plate with a shadow line along its bottom.
Canvas buttonFace(int size);

Canvas cursor();
Canvas helpButton(int width, int height);
Canvas corner();
Canvas windowFrame();
Canvas windowShadow();
Canvas titleBar();
Canvas priceBackground();
Canvas progressBar();
Canvas buildProgressBackground();
Canvas plusOne();

// An 80 x 16 counter slot: 0 money, 1 population, 2 date.
Canvas slot(int kind);
Canvas dateButton(bool enabled);
Canvas cancelButton();
Canvas actionProgressButton();
Canvas title();
Canvas titleSeparator();
Canvas subtitle();
Canvas menuCity();
Canvas menuButton();
Canvas actionArrow(bool next, bool enabled);
Canvas rotateButton(bool left);

// A 320 x 1 rule under a window's column heads; the three differ in rhythm.
Canvas underline(int style);
} // namespace UiArt

#endif
