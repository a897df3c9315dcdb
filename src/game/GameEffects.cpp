#include "game/Game.h"

#include "resources/SpriteManager.h"
#include "simulation/Tile.h"

#include <cmath>
#include <cstdlib>

// What a click shows besides the map: the screen shaking when an action
// completes and the "+1" rising from the tile of each progress click.

namespace
{
const float degreesToRadians = 3.14159265358979f / 180.0f;
const float plusOneLifetime = 0.6f;
} // namespace

void Game::startScreenShake(float strength, float decay)
{
    if (gameView)
        shakeBase = gameView->getCenter();
    shaking = true;
    shakeStrength = strength;
    shakeDecay = decay;
}

void Game::updateScreenShake()
{
    if (!shaking)
        return;
    float angle = static_cast<float>(std::rand() % 360) * degreesToRadians;
    gameView->setCenter(shakeBase + sf::Vector2f(std::sin(angle), std::cos(angle)) * shakeStrength * 4.0f);
    shakeStrength -= deltaTime * shakeDecay;
    if (shakeStrength <= 0.0f)
    {
        shakeStrength = 0.0f;
        shaking = false;
    }
}

void Game::spawnPlusOne(const Tile& tile)
{
    PlusOneParticle* particle = new PlusOneParticle();
    particle->x = (tile.x + tile.y + 1) * 16.0f;
    particle->y = (tile.y - tile.x) * 8.0f + 8.0f;
    particle->age = 0.0f;
    particle->drift = (std::rand() % 11 - 5) / 10.0f;
    plusOnes.push_back(particle);
}

void Game::updatePlusOnes(float dt)
{
    sf::RenderTarget* target = getRenderTarget();
    sf::Sprite* sprite = sprites ? sprites->getSprite("ui/plusone") : nullptr;
    std::vector<PlusOneParticle*> alive;
    alive.reserve(plusOnes.size());
    for (PlusOneParticle* particle : plusOnes)
    {
        particle->age += dt;
        particle->y -= (particle->drift * 10.0f + 32.0f) * dt;
        // The sway grows with the logarithm of the age, which has no value at 0.
        if (particle->age > 0.0f)
            particle->x += std::log(particle->age * 100.0f) * particle->drift * 10.0f * dt;
        if (particle->age > plusOneLifetime)
        {
            delete particle;
            continue;
        }
        if (target && sprite)
        {
            sprite->setPosition(particle->x, particle->y);
            target->draw(*sprite);
        }
        alive.push_back(particle);
    }
    plusOnes.swap(alive);
}
