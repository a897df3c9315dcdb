#include "game/Game.h"

#include <cstdio>

// The one game object; only main reads this pointer.
Game* game = nullptr;

int main(int argc, char** argv)
{
    // Log lines must reach a pipe as they happen, not at exit.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    game = new Game();
    game->init(argc, argv);
    game->run();
    game->quit();
    delete game;
    game = nullptr;
    std::printf("Bye!\n");
    return 0;
}
