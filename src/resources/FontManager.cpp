#include "resources/FontManager.h"

#include "game/Game.h"
#include "resources/Font.h"
#include "resources/FontDefinition.h"
#include "resources/Utils.h"

#include <cstdio>

FontManager::FontManager(Game* owner) : game(owner)
{
}

FontManager::~FontManager()
{
    clear();
}

int FontManager::loadFonts()
{
    clear();
    loadFont("normal", false);
    loadFont("small", false);
    loadFont("bold", false);
    loadFont("numbers", true);
    loadFont("mixed", false);
    return 0;
}

void FontManager::loadFont(const std::string& name, bool keepColours)
{
    FontDefinition* definition = new FontDefinition(name);
    definition->readFile(getBasePath() + "fonts/" + name + ".dat");
    Font* font = new Font(game, definition, keepColours);
    font->color = game->darkColor;
    if (font->sprite && !keepColours)
        font->sprite->setColor(game->darkColor);
    fonts.push_back(font);
    std::printf("Loaded font: %s\n", name.c_str());
}

Font* FontManager::getFont(int index) const
{
    if (index < 0 || index >= static_cast<int>(fonts.size()))
        return nullptr;
    return fonts[index];
}

void FontManager::clear()
{
    for (Font* font : fonts)
        delete font;
    fonts.clear();
}
