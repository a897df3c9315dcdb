#include "game/Game.h"

#include "gui/UI.h"
#include "resources/SoundManager.h"

Game::Game() : mainThread(std::this_thread::get_id())
{
}

Game::~Game()
{
    // A day tick still running would outlive the mutexes it holds.
    if (updateThread)
    {
        updateThread->wait();
        delete updateThread;
        updateThread = nullptr;
    }
    for (PlusOneParticle* particle : plusOnes)
        delete particle;
    delete crtShader;
}

void Game::playSound(const std::string& name)
{
    if (sounds)
        sounds->play(name);
}

void Game::playSound(const std::string& name, float pitch, float volume)
{
    if (!sounds || !sounds->isSfxEnabled())
        return;
    if (sf::Sound* sound = sounds->getSound(name))
    {
        sound->setPitch(pitch);
        sound->setVolume(volume);
        sound->play();
    }
}

gui::Window* Game::showMessage(const std::string& title, const std::string& text, bool yesNo)
{
    // The UI queues a dialog asked for from another thread by itself.
    return ui ? ui->showMessage(title, text, yesNo) : nullptr;
}

void Game::runOnMainThread(std::function<void()> task)
{
    if (isMainThread())
        task();
    else if (ui)
        ui->post(std::move(task));
}

bool Game::queuedForMainThread(std::function<void()> task)
{
    if (isMainThread())
        return false;
    runOnMainThread(std::move(task));
    return true;
}

bool Game::isMainThread() const
{
    return std::this_thread::get_id() == mainThread;
}

sf::RenderTarget* Game::getRenderTarget() const
{
    if (postProcessing && renderTexture)
        return renderTexture;
    return window;
}

sf::Vector2i Game::getLogicalSize() const
{
    sf::RenderTarget* target = getRenderTarget();
    if (!target)
        return sf::Vector2i(640, 360);
    int scale = pixelScale > 0 ? pixelScale : 1;
    sf::Vector2u size = target->getSize();
    return sf::Vector2i(static_cast<int>(size.x) / scale, static_cast<int>(size.y) / scale);
}
