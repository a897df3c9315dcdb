#include "game/Game.h"

#include "game/MainMenu.h"
#include "gui/UI.h"
#include "resources/FontManager.h"
#include "resources/Platform.h"
#include "resources/Settings.h"
#include "resources/SoundManager.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"
#include "simulation/City.h"
#include "simulation/Map.h"
#include "simulation/TextTables.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace
{
// A missing conf.dat or a nonsensical size must not open a 0 x 0 window.
const int fallbackWidth = 1280;
const int fallbackHeight = 720;

// The window size conf.dat asks for, when the display can show it: a size
// larger than the desktop (the window system aborts on some, the render
// texture cannot hold others) counts as missing. The fallback itself is cut
// to the desktop.
sf::VideoMode windowedMode(const Settings& settings)
{
    sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    long long width = std::atoll(settings.get("width").c_str());
    long long height = std::atoll(settings.get("height").c_str());
    bool fits = width <= desktop.width && height <= desktop.height;
    if (width > 0 && height > 0 && fits)
        return sf::VideoMode(static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (width > 0 && height > 0)
        std::printf("Window size %lldx%lld is larger than the desktop (%ux%u), using %dx%d\n", width, height,
                    desktop.width, desktop.height, fallbackWidth, fallbackHeight);
    unsigned w = fallbackWidth;
    unsigned h = fallbackHeight;
    if (desktop.width > 0 && desktop.height > 0)
    {
        w = std::min(w, desktop.width);
        h = std::min(h, desktop.height);
    }
    return sf::VideoMode(w, h);
}

// The first free name for a screenshot taken now: the stamp of this second,
// then a counter when an earlier one already took it (twice in a second, or
// twelve hours apart on the 12-hour clock).
std::string screenshotPath(const std::string& folder)
{
    return platform::unusedPath(folder + platform::formatLocalTime("%d-%m-%Y %I-%M-%S"), ".png");
}
} // namespace

void Game::init(int, char**)
{
    std::string base = platform::workingDirectory() + "/";
    std::printf("path = %s\n", base.c_str());
    setBasePath(base);

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // A save or screenshot beyond a file size limit fails and is reported.
    platform::ignoreFileSizeSignal();

    settings = new Settings();
    settings->load(getBasePath() + "conf.dat");

    createWindow();

    map = new Map(this);
    sprites = new SpriteManager(this);
    sounds = new SoundManager(this);
    fonts = new FontManager(this);
    city = new City(this);
    sprites->loadSprites();
    sounds->loadSounds();
    fonts->loadFonts();

    ui = new UI(this);
    mainMenu = new MainMenu(this);

    ui_create();
    showMainMenu();
}

void Game::createWindow()
{
    bool fullscreen = settings->equals("isFullscreen", "true");
    postProcessing = settings->equals("postProcessing", "true");

    bool hadWindow = window != nullptr;
    sf::Vector2u oldSize = hadWindow ? window->getSize() : sf::Vector2u();

    sf::VideoMode mode;
    sf::Uint32 style;
    if (fullscreen)
    {
        mode = sf::VideoMode::getDesktopMode();
        style = sf::Style::Fullscreen | sf::Style::Close;
    }
    else
    {
        mode = windowedMode(*settings);
        // A title bar as well: on X11 a window with only a close button has no frame at all.
        style = sf::Style::Titlebar | sf::Style::Close;
    }
    int width = static_cast<int>(mode.width);
    int height = static_cast<int>(mode.height);

    pixelScale = height / 360;
    if (pixelScale == 0)
        pixelScale = 1;

    delete window;
    window = nullptr;
    sf::Vector2f center = gameView ? gameView->getCenter() : sf::Vector2f(0.0f, 0.0f);
    delete gameView;
    delete uiView;
    delete renderTexture;
    gameView = nullptr;
    uiView = nullptr;
    renderTexture = nullptr;

    if (sf::Shader::isAvailable())
    {
        std::printf("render texture with size %dx%d\n", width, height);
        renderTexture = new sf::RenderTexture();
        // Without its texture every frame would be drawn into nothing.
        if (!renderTexture->create(width, height, sf::ContextSettings()))
        {
            std::printf("Could not make a render texture of %dx%d, post-processing is off\n", width, height);
            postProcessing = false;
        }
        loadShader();
        crtShader->setUniform("width", static_cast<float>(width));
        crtShader->setUniform("height", static_cast<float>(height));
        crtShader->setUniform("scale", static_cast<float>(pixelScale));
    }
    else
    {
        postProcessing = false;
    }

    window = new sf::RenderWindow(sf::VideoMode(width, height, 32), gameTitle, style,
                                  sf::ContextSettings());

    sf::FloatRect rect(0.0f, 0.0f, static_cast<float>(width / pixelScale),
                       static_cast<float>(height / pixelScale));
    gameView = new sf::View(rect);
    uiView = new sf::View(rect);
    gameView->setCenter(center);

    window->setMouseCursorVisible(false);
    window->setVerticalSyncEnabled(true);
    window->setFramerateLimit(60);

    if (hadWindow && (oldSize.x != mode.width || oldSize.y != mode.height))
        relayout();
}

void Game::relayout()
{
    ui->onResize();
    mainMenu->layout();
    map->updateOnScreenTiles();
    ui_updateLayout();
}

void Game::loadShader()
{
    if (!sf::Shader::isAvailable())
    {
        std::printf("Shaders not supported!\n");
        postProcessing = false;
        return;
    }
    if (!crtShader)
        crtShader = new sf::Shader();
    if (!crtShader->loadFromFile(getBasePath() + "shaders/crt1.vert",
                                 getBasePath() + "shaders/crt1.frag"))
    {
        std::printf("Failed to load shader...\n");
        postProcessing = false;
        return;
    }
    crtShader->setUniform("texture", sf::Shader::CurrentTexture);
}

void Game::presentFrame()
{
    if (postProcessing)
    {
        renderTexture->display();
        sf::Sprite frame(renderTexture->getTexture());
        window->draw(frame, crtShader);
    }
    if (screenshotPending)
    {
        screenshotPending = false;
        takeScreenshot();
    }
    window->display();
}

void Game::takeScreenshot()
{
    // The back buffer holds the finished frame until it is shown; after the
    // swap its contents are undefined, so the capture happens just before.
    sf::Texture texture;
    sf::Vector2u size = window->getSize();
    if (!texture.create(size.x, size.y))
        return;
    texture.update(*window);
    std::string folder = getBasePath() + "screenshots/";
    platform::makeDirectory(folder);
    texture.copyToImage().saveToFile(screenshotPath(folder));
}

void Game::quit()
{
    // A stream still playing would keep its thread feeding the audio device
    // while the process tears that device down; stopping joins the thread.
    if (sounds)
        sounds->stopAllMusic();
    // Every sound object released closes the audio device before the audio
    // library's own clean-up at exit looks for devices left open.
    if (sounds)
        sounds->release();
    if (window)
        window->close();
    settings->save(getBasePath() + "conf.dat");
}
