// CreateProcessA and the wait for the process, through Wine: the tool runs in the same prefix, so it
// sees the registry as the program left it, and the program sees what the tool changed.

#include "EmulatedMachine.h"
#include "MachineDrives.h"
#include "PathResolver.h"
#include "TextEncoding.h"
#include "UnixProgram.h"
#include "WindowsCommandLine.h"
#include "platform/Process.h"
#include "platform/SystemInfo.h"
#include "platform/Win32Constants.h"

#include <unistd.h>

namespace platform {

namespace {

bool IsProgramFile(const posix::DriveTable& drives, const std::string& path) {
    const std::optional<posix::ResolvedPath> resolved = posix::ResolveExisting(drives, path);
    return resolved && !resolved->isDirectory;
}

bool HasFolder(const std::string& name) {
    return name.find_first_of("\\/") != std::string::npos || (name.size() >= 2 && name[1] == ':');
}

// The file the system's search finds for a program name: a name with a folder as it stands, a bare
// name in the program's own folder, the current folder and the system folders; ".exe" is implied.
std::optional<std::string> FindProgram(const posix::DriveTable& drives, const std::string& name) {
    const std::string file = posix::WithDefaultExtension(name);
    if (HasFolder(file))
        return IsProgramFile(drives, file) ? std::optional(file) : std::nullopt;
    std::string ownFolder = OwnModuleFileName();
    ownFolder.resize(ownFolder.find_last_of('\\') + 1);
    for (const std::string& folder :
         {ownFolder, std::string(), SystemDirectory() + "\\", std::string("C:\\windows\\")}) {
        if (IsProgramFile(drives, folder + file))
            return folder + file;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::uint32_t> RunProcessAndWait(const std::string& commandLine, std::uint16_t /*showWindow*/) {
    // No window is ever shown in the emulation, so the show-window setting has nothing to act on.
    // Wine is given the file found (Wine itself adds no ".exe"); it quotes the name in the tool's
    // command line as CreateProcessA does when the name holds blanks.
    const std::optional<std::filesystem::path> wine = posix::FindOnPath("wine");
    if (!wine)
        return std::nullopt;
    const posix::DriveTable drives = posix::MachineDrives();
    const std::string line = commandLine.substr(0, commandLine.find('\0'));
    std::optional<std::string> programFile;
    std::size_t argumentsStart = 0;
    for (const posix::ProgramCandidate& candidate : posix::ProgramCandidates(line)) {
        if ((programFile = FindProgram(drives, candidate.name))) {
            argumentsStart = candidate.argumentsStart;
            break;
        }
    }
    if (!programFile)
        return std::nullopt;

    posix::EmulatedMachine& machine = posix::EmulatedMachine::Current();
    machine.CommitHives();
    std::vector<std::string> arguments = {wine->string(), posix::AnsiToUtf8(*programFile)};
    for (const std::string& argument : posix::SplitArguments(std::string_view(line).substr(argumentsStart)))
        arguments.push_back(posix::AnsiToUtf8(argument));
    const std::vector<std::string> environment = {"WINEPREFIX=" + machine.PrefixFolder().string()};
    const std::optional<int> exitCode = posix::RunUnixProgram(*wine, arguments, environment);

    // The Wine server writes the hives when it ends; only then are the tool's changes there to read.
    std::optional<std::filesystem::path> server = wine->parent_path() / "wineserver";
    if (::access(server->c_str(), X_OK) != 0)
        server = posix::FindOnPath("wineserver");
    if (server)
        (void)posix::RunUnixProgram(*server, {server->string(), "-w"}, environment);
    machine.ReloadHives();
    if (!exitCode)
        return std::nullopt;
    return static_cast<std::uint32_t>(*exitCode);
}

} // namespace platform
