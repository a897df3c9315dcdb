#include "SpriteCatalog.h"

#include "BuildingArt.h"
#include "IconArt.h"
#include "TileArt.h"
#include "UiArt.h"

#include "resources/SpriteLayout.h"

sf::Image SpriteArt::render(sf::Color light, sf::Color dark) const
{
    return colourMask ? mask : canvas.toImage(light, dark);
}

SpriteCatalog::SpriteCatalog()
{
    add("cursor", UiArt::cursor());
    addTiles();
    addBuildings();
    SpriteArt map{"isomap", Canvas(), true, TileArt::isomap()};
    sprites.push_back(map);
    add("fire_animation", TileArt::fireAnimation());
    add("trash_on_streets", TileArt::trashOnStreets());
    addInterface();
}

const SpriteArt* SpriteCatalog::find(const std::string& name) const
{
    for (const SpriteArt& art : sprites)
        if (art.name == name)
            return &art;
    return nullptr;
}

void SpriteCatalog::add(const std::string& name, const Canvas& canvas)
{
    sprites.push_back(SpriteArt{name, canvas, false, sf::Image()});
}

void SpriteCatalog::addTiles()
{
    add("tile_border", TileArt::tileBorder());
    add("tile_outline", TileArt::tileOutline());
    add("tile_highlighted", TileArt::tileHighlighted());
    add("tile_semi_filled", TileArt::tileSemiFilled());
    add("hidden_tile_overlay", TileArt::hiddenTileOverlay());
    // Each piece is drawn from the neighbour set that names it with the most connections,
    // so the lone piece shares the straight west-east art.
    const char* pieces[] = {"road1", "road2", "road3", "road4", "road5", "road6", "road7", "road8",
                            "road9", "road10", "road11", "road1_end1", "road1_end2", "road2_end1", "road2_end2"};
    for (const char* piece : pieces)
    {
        int best = -1, bestCount = -1;
        for (int set = 0; set < 16; ++set)
        {
            if (std::string(roadSpriteName(set & 1, set & 2, set & 4, set & 8)) != piece)
                continue;
            int count = (set & 1) + ((set >> 1) & 1) + ((set >> 2) & 1) + ((set >> 3) & 1);
            if (count > bestCount)
            {
                best = set;
                bestCount = count;
            }
        }
        add(piece, TileArt::road(best & 1, best & 2, best & 4, best & 8));
    }
}

void SpriteCatalog::addBuildings()
{
    for (int v = 1; v <= 4; ++v)
        add("house_small_" + std::to_string(v), BuildingArt::smallHouse(v));
    for (int v = 1; v <= 3; ++v)
        add("house_large_" + std::to_string(v), BuildingArt::largeHouse(v));
    for (int v = 1; v <= 2; ++v)
        add("factory_" + std::to_string(v), BuildingArt::factory(v));
    for (int v = 1; v <= 4; ++v)
        add("flats_" + std::to_string(v), BuildingArt::flats(v));
    for (int v = 1; v <= 4; ++v)
        add("commercial_" + std::to_string(v), BuildingArt::commercial(v));
    add("shop", BuildingArt::shop());
    add("market", BuildingArt::market());
    add("convenience_store", BuildingArt::convenienceStore());
    add("park1", BuildingArt::park());
    add("tree1", BuildingArt::tree());
    add("rubble", BuildingArt::rubble());
    add("watertower", BuildingArt::waterTower());
    add("fire_station", BuildingArt::fireStation());
    add("police_station", BuildingArt::policeStation());
    add("hospital", BuildingArt::hospital());
    add("pumping_station", BuildingArt::pumpingStation());
    add("landfill", BuildingArt::landfill());
}

void SpriteCatalog::addInterface()
{
    add("ui/help_button", UiArt::helpButton(12, 12));
    add("ui/help_button_small", UiArt::helpButton(9, 8));
    add("ui/help_button_tiny", UiArt::helpButton(7, 7));
    add("ui/corner", UiArt::corner());
    add("ui/detailed_window_bordered", UiArt::windowFrame());
    add("ui/detailed_window_bordered_shadow", UiArt::windowShadow());
    add("ui/titlebar", UiArt::titleBar());
    addIcons();
    add("ui/action_price_bg", UiArt::priceBackground());
    add("ui/action_progress_bar", UiArt::progressBar());
    add("ui/attraction_positive", IconArt::attraction(1));
    add("ui/attraction_neutral", IconArt::attraction(0));
    add("ui/attraction_negative", IconArt::attraction(-1));
    add("ui/rent_increase", IconArt::rentChange(true));
    add("ui/rent_decrease", IconArt::rentChange(false));
    add("ui/production_next", IconArt::smallArrow(true));
    add("ui/production_prev", IconArt::smallArrow(false));
    add("ui/reset_price", IconArt::resetPrice());
    add("ui/build_progress_bg", UiArt::buildProgressBackground());
    add("ui/plusone", UiArt::plusOne());
    add("ui/budget_slot", UiArt::slot(0));
    add("ui/population_slot", UiArt::slot(1));
    add("ui/date_slot", UiArt::slot(2));
    add("ui/date_button", UiArt::dateButton(true));
    add("ui/date_button_disabled", UiArt::dateButton(false));
    add("ui/cancel_action_button", UiArt::cancelButton());
    add("ui/action_progress_button", UiArt::actionProgressButton());
    add("ui/menu/title", UiArt::title());
    add("ui/menu/title_separator", UiArt::titleSeparator());
    add("ui/menu/subtitle", UiArt::subtitle());
    add("ui/menu/city", UiArt::menuCity());
    add("ui/menu_button", UiArt::menuButton());
    const char* sides[] = {"build", "ratings", "population", "needs", "finances", "city", "production"};
    for (int k = 0; k < 7; ++k)
        add(std::string("ui/side_") + sides[k] + "_button", IconArt::sideButton(k));
    add("ui/needs_icons", IconArt::needsIcons());
    add("ui/action_next", UiArt::actionArrow(true, true));
    add("ui/action_next_disabled", UiArt::actionArrow(true, false));
    add("ui/action_previous", UiArt::actionArrow(false, true));
    add("ui/action_previous_disabled", UiArt::actionArrow(false, false));
    add("ui/rotate_left_button", UiArt::rotateButton(true));
    add("ui/rotate_right_button", UiArt::rotateButton(false));
    add("ui/expenditure_titles_underline", UiArt::underline(0));
    add("ui/city_population_titles_underline", UiArt::underline(1));
    add("ui/production_titles_underline", UiArt::underline(2));
    add("ui/crime_icon", IconArt::crime());
    add("ui/fire_hazard_icon", IconArt::fireHazard());
    add("ui/need_hospital_icon", IconArt::needHospital());
}

void SpriteCatalog::addIcons()
{
    const char* actions[] = {"clear", "housing", "housing_large", "housing_large_upgrade", "flats", "flats_upgrade",
                             "road", "shop", "shop_upgrade", "market", "convenience_store", "park", "watertower",
                             "factory", "fire_station", "police_station", "hospital", "commercial", "plant_tree",
                             "pumping_station", "landfill"};
    for (const char* action : actions)
        add(std::string("ui/action_") + action, IconArt::action(action));
}
