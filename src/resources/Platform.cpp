#include "resources/Platform.h"

#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

std::string workingDirectory()
{
    char buffer[1025] = {};
    if (!getcwd(buffer, 1024))
        return "";
    return buffer;
}

std::vector<std::string> listDirectory(const std::string& path, bool* ok)
{
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    if (ok)
        *ok = dir != nullptr;
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir))
        names.emplace_back(entry->d_name);
    closedir(dir);
    return names;
}

std::string formatLocalTime(const char* format)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[256];
    size_t n = std::strftime(buffer, sizeof(buffer), format, &local);
    return std::string(buffer, n);
}

bool makeDirectory(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST)
    {
        struct stat info{};
        return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    return false;
}

bool audioOutputAvailable()
{
    // OpenAL is the audio library's own backend; its context tells whether a
    // device opened. Looked up at run time, as the game does not link it itself.
    typedef void* (*GetCurrentContext)();
    void* symbol = dlsym(RTLD_DEFAULT, "alcGetCurrentContext");
    if (!symbol)
        return true;
    return reinterpret_cast<GetCurrentContext>(symbol)() != nullptr;
}

} // namespace platform
