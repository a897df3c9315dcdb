#ifndef QUILLFENN_RESOURCES_FONTMANAGER_H
#define QUILLFENN_RESOURCES_FONTMANAGER_H

// PLACEHOLDER: fonts are built by the resource layer.

#include <vector>

class Game;
class Font;

class FontManager
{
public:
    explicit FontManager(Game* game);
    int loadFonts();

    Game* game;
    std::vector<Font*> fonts;
};

#endif
