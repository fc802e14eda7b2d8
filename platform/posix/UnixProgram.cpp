#include "UnixProgram.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform::posix {

namespace {

// A posix_spawn file-action list, destroyed with its owner.
class SpawnActions {
  public:
    SpawnActions() { ::posix_spawn_file_actions_init(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions_); }
    posix_spawn_file_actions_t* Get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_{};
};

bool SameName(const char* setting, const std::string& nameAndEquals) {
    return std::strncmp(setting, nameAndEquals.c_str(), nameAndEquals.size()) == 0;
}

} // namespace

std::optional<std::filesystem::path> FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return std::nullopt;
    std::string_view folders(path);
    while (true) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        const std::filesystem::path candidate = std::filesystem::path(folder.empty() ? "." : folder) / name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string_view::npos)
            return std::nullopt;
        folders.remove_prefix(colon + 1);
    }
}

std::optional<int> RunUnixProgram(const std::filesystem::path& program,
                                  const std::vector<std::string>& arguments,
                                  const std::vector<std::string>& environmentSettings) {
    std::vector<std::string> environment;
    for (char** setting = environ; *setting != nullptr; ++setting) {
        bool replaced = false;
        for (const std::string& own : environmentSettings)
            replaced = replaced || SameName(*setting, own.substr(0, own.find('=') + 1));
        if (!replaced)
            environment.emplace_back(*setting);
    }
    environment.insert(environment.end(), environmentSettings.begin(), environmentSettings.end());

    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& setting : environment)
        envp.push_back(const_cast<char*>(setting.c_str()));
    envp.push_back(nullptr);

    SpawnActions actions;
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        ::posix_spawn_file_actions_addopen(actions.Get(), stream, "/dev/null",
                                           stream == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
    pid_t child = 0;
    if (::posix_spawn(&child, program.c_str(), actions.Get(), nullptr, argv.data(), envp.data()) != 0)
        return std::nullopt;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

} // namespace platform::posix
