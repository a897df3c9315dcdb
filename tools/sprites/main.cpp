// Draws every sprite of the game into <run>/sprites/<name>.png, and review
// pictures (contact sheets in two palettes and a small town) into <review dir>.

#include "Review.h"
#include "SpriteCatalog.h"

#include <SFML/Graphics/Image.hpp>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
bool save(const sf::Image& image, const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (!image.saveToFile(path.string()))
    {
        std::printf("Could not write %s\n", path.string().c_str());
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::printf("usage: %s <sprites dir> <review dir>\n", argv[0]);
        return 1;
    }
    auto start = std::chrono::steady_clock::now();
    std::filesystem::path spritesDir = argv[1];
    std::filesystem::path reviewDir = argv[2];

    SpriteCatalog catalog;
    bool ok = true;
    for (const SpriteArt& art : catalog.sprites)
        ok = save(art.render(), spritesDir / (art.name + ".png")) && ok;

    // Palette 0 and palette 5, where the first colour is the dark one.
    const sf::Color light0(232, 206, 168), dark0(70, 62, 108);
    const sf::Color light5(31, 34, 37), dark5(164, 92, 44);
    ok = save(Review::contactSheet(catalog, light0, dark0), reviewDir / "sprite_contact_sheet.png") && ok;
    ok = save(Review::contactSheet(catalog, light5, dark5), reviewDir / "sprite_contact_sheet_dark.png") && ok;
    ok = save(Review::scene(catalog, light0, dark0), reviewDir / "sprite_scene.png") && ok;
    ok = save(Review::scene(catalog, light5, dark5), reviewDir / "sprite_scene_dark.png") && ok;

    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu sprites drawn in %.2f s\n", catalog.sprites.size(), seconds);
    return ok ? 0 : 1;
}
