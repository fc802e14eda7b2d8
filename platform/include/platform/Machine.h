#pragma once
// The machine the program works on, held for one run.
//
// win32: the real Windows; opening and closing it does nothing.
// posix: the emulated Windows of a Wine prefix (the folder named by WINEPREFIX, else ~/.wine). Opening
//        takes a lock on the prefix (a second run waits), refuses a prefix whose Wine server is
//        running, and loads system.reg and user.reg; the hives are committed atomically when the
//        machine is closed, on every path. A hive that was not changed is not rewritten. A missing
//        prefix is an empty machine. Failures are MachineError, and change nothing.

#include <memory>
#include <string>

namespace platform {

class Machine {
public:
    class Impl;
    // The machine of the environment (posix: WINEPREFIX or ~/.wine).
    static Machine OpenDefault();
    // posix: the prefix at the given folder; win32: the folder is ignored.
    static Machine OpenPrefix(const std::string& prefixFolder);

    Machine(Machine&&) noexcept;
    Machine& operator=(Machine&&) noexcept;
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;
    // Commits what Commit() has not yet committed; never throws (a failure is reported on stderr).
    ~Machine();

    // Commits the changes made so far; throws MachineError when the hives cannot be written.
    void Commit();

private:
    explicit Machine(std::unique_ptr<Impl> impl) noexcept;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
