#ifndef QUILLFENN_RESOURCES_FONTMANAGER_H
#define QUILLFENN_RESOURCES_FONTMANAGER_H

#include <string>
#include <vector>

class Game;
class Font;

// The five bitmap fonts of the game, by font number:
// 0 normal, 1 small, 2 bold, 3 numbers (colours baked in), 4 mixed.
class FontManager
{
public:
    explicit FontManager(Game* owner);
    ~FontManager();
    FontManager(const FontManager&) = delete;
    FontManager& operator=(const FontManager&) = delete;

    // Deletes the fonts held and loads the five fonts again; returns 0.
    int loadFonts();

    // Reads fonts/<name>.dat and fonts/<name>.png into a new font appended to the list.
    void loadFont(const std::string& name, bool keepColours);

    // The font of that number, or null when there is none.
    Font* getFont(int index) const;

    Game* game;
    std::vector<Font*> fonts;

private:
    // Deletes every font.
    void clear();
};

#endif
