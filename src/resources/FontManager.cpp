#include "resources/FontManager.h"

// PLACEHOLDER implementation.

FontManager::FontManager(Game* game) : game(game) {}
int FontManager::loadFonts() { return 0; }
