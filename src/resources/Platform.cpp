#include "resources/Platform.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
// Openers started and not yet waited for, by process id; the main thread's.
std::vector<pid_t> openers;

std::string errorText(int code)
{
    return std::strerror(code);
}

// Reads a regular file, all of it (refusing one longer than maxBytes) or
// only its start. The open does not wait: a pipe without a writer, say,
// opens at once and is then refused as not a file.
platform::ReadResult readRegularFile(const std::string& path, long long maxBytes, bool startOnly,
                                     std::string& data)
{
    data.clear();
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return platform::ReadMissing;
    struct stat info{};
    bool known = fstat(fd, &info) == 0;
    if (!known || !S_ISREG(info.st_mode))
    {
        close(fd);
        return known ? platform::ReadNotAFile : platform::ReadMissing;
    }
    platform::ReadResult result = platform::ReadOk;
    char buffer[65536];
    while (true)
    {
        long long room = maxBytes - static_cast<long long>(data.size());
        size_t want = sizeof(buffer);
        if (startOnly && room < static_cast<long long>(want))
            want = static_cast<size_t>(room > 0 ? room : 0);
        if (want == 0)
            break;
        ssize_t n = read(fd, buffer, want);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
        {
            result = platform::ReadMissing;
            break;
        }
        if (n == 0)
            break;
        if (static_cast<long long>(data.size()) + n > maxBytes)
        {
            result = platform::ReadTooLarge;
            break;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    if (result != platform::ReadOk)
        data.clear();
    return result;
}
} // namespace

namespace platform
{

std::string workingDirectory()
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::current_path(error);
    return error ? std::string() : path.string();
}

std::vector<std::string> listDirectory(const std::string& path, bool* ok)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entry(path, error);
    if (ok)
        *ok = !error;
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error))
        names.push_back(entry->path().filename().string());
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
    std::error_code error;
    std::filesystem::create_directory(path, error);
    return std::filesystem::is_directory(path, error);
}

bool writeFileReplacing(const std::string& path, const std::string& temporaryPath, const std::string& data,
                        std::string* error)
{
    ignoreFileSizeSignal();
    // Whatever stands in the temporary's place (a pipe would block the open,
    // a link would lead elsewhere) goes first; the file is then made anew.
    unlink(temporaryPath.c_str());
    int fd = open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    int failure = fd < 0 ? errno : 0;
    size_t written = 0;
    while (!failure && written < data.size())
    {
        ssize_t n = write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            failure = n < 0 ? errno : ENOSPC;
        else
            written += static_cast<size_t>(n);
    }
    // On the disk before it replaces anything: a crash now leaves the old file.
    if (!failure && fsync(fd) != 0)
        failure = errno;
    if (fd >= 0 && close(fd) != 0 && !failure)
        failure = errno;
    if (!failure && rename(temporaryPath.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure)
    {
        if (fd >= 0)
            unlink(temporaryPath.c_str());
        if (error)
            *error = errorText(failure);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    std::string folder = path.substr(0, path.find_last_of('/') + 1);
    int dir = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0)
    {
        fsync(dir);
        close(dir);
    }
    return true;
}

void ignoreFileSizeSignal()
{
    struct sigaction current;
    if (sigaction(SIGXFSZ, nullptr, &current) != 0)
        return;
    // A handler of the process's own stays; only the default, which ends
    // the process, is replaced.
    if ((current.sa_flags & SA_SIGINFO) || current.sa_handler != SIG_DFL)
        return;
    struct sigaction ignore;
    std::memset(&ignore, 0, sizeof(ignore));
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, nullptr);
}

ReadResult readFile(const std::string& path, long long maxBytes, std::string& data)
{
    return readRegularFile(path, maxBytes, false, data);
}

ReadResult readFileStart(const std::string& path, long long maxBytes, std::string& data)
{
    return readRegularFile(path, maxBytes, true, data);
}

std::string unusedPath(const std::string& stem, const std::string& extension)
{
    std::string path = stem + extension;
    std::error_code error;
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(path, error)); ++n)
        path = stem + " (" + std::to_string(n) + ")" + extension;
    return path;
}

bool openWithDesktop(const std::string& path)
{
    reapEndedOpeners();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // The opener needs none of the game's files, sockets or devices.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
    std::string program = "xdg-open";
    std::string argument = path;
    char* argv[] = {&program[0], &argument[0], nullptr};
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
    {
        std::printf("Could not start xdg-open: %s\n", errorText(rc).c_str());
        return false;
    }
    openers.push_back(pid);
    return true;
}

void reapEndedOpeners()
{
    // Only the openers are waited for: other children of the process stay
    // theirs to wait for, and a running one is not waited on.
    openers.erase(std::remove_if(openers.begin(), openers.end(),
                                 [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; }),
                  openers.end());
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
