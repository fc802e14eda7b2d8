// The guards of a prefix: a second run waits for the first, and a prefix whose Wine server runs is
// refused (the server would overwrite the hives when it saves them).

#include "MachineLock.h"

#include "platform/Exceptions.h"
#include "platform/Machine.h"
#include "support/TempPrefix.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace platform;
using veksetup::testing::TempPrefix;
namespace fs = std::filesystem;

// A child process running `body` with a pipe to the parent: the child reports with Say(), the parent
// waits for a report with Hear() and tells the child to go on with Release().
class ChildProcess {
  public:
    template <typename Body> explicit ChildProcess(Body body) {
        EXPECT_EQ(::pipe(toParent_), 0);
        EXPECT_EQ(::pipe(toChild_), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(toParent_[0]);
            ::close(toChild_[1]);
            const int code = body(*this);
            ::_exit(code);
        }
        ::close(toParent_[1]);
        ::close(toChild_[0]);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() {
        ::close(toParent_[0]);
        ::close(toChild_[1]);
        if (pid_ > 0 && !waited_)
            (void)ExitCode();
    }

    // In the child.
    void Say(char word) const { (void)!::write(toParent_[1], &word, 1); }
    void AwaitRelease() const {
        char word = 0;
        (void)!::read(toChild_[0], &word, 1);
    }
    // In the parent: the child's next word, 0 when it ended without one.
    char Hear() const {
        char word = 0;
        return ::read(toParent_[0], &word, 1) == 1 ? word : 0;
    }
    void Release() const { (void)!::write(toChild_[1], "r", 1); }
    int ExitCode() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        waited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    bool waited_ = false;
    int toParent_[2] = {-1, -1};
    int toChild_[2] = {-1, -1};
};

TEST(MachineLockTest, SecondRunWaitsForTheFirst) {
    TempPrefix prefix;
    // Closed before the fork, so that the first run (the child) owns the only lock.
    prefix.CloseMachine();
    const fs::path released = prefix.Folder() / "first-run-released";
    ChildProcess first([&](const ChildProcess& self) {
        {
            const posix::PrefixLock lock(prefix.Folder());
            self.Say('l');
            self.AwaitRelease();
            std::ofstream(released) << "done";
        }
        return 0;
    });
    ASSERT_EQ(first.Hear(), 'l');
    first.Release();
    // Opens only once the first run has let go, which it does after writing its mark.
    prefix.Reopen();
    EXPECT_TRUE(fs::exists(released));
    EXPECT_EQ(first.ExitCode(), 0);
}

TEST(MachineLockTest, LockIsReleasedWhenTheMachineCloses) {
    TempPrefix prefix;
    const fs::path lockFile = prefix.Folder() / ".veksetup.lock";
    const auto tryLock = [&] {
        const int fd = ::open(lockFile.c_str(), O_RDWR);
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return locked;
    };
    EXPECT_FALSE(tryLock());
    prefix.CloseMachine();
    EXPECT_TRUE(tryLock());
}

// A stand-in for a running Wine server: the lock file in the server folder of the prefix, with an
// fcntl lock held by another process, as wineserver holds it; in upstream Wine's folder and in the
// one a Debian prefix names in its "wineserver" file.
TEST(MachineLockTest, PrefixWithARunningServerIsRefused) {
    for (const bool debianLayout : {false, true}) {
        SCOPED_TRACE(debianLayout ? "Debian" : "upstream");
        TempPrefix prefix;
        prefix.CloseMachine();
        std::string base;
        if (debianLayout) {
            std::string pattern = "/tmp/wine-XXXXXX";
            ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
            base = pattern;
            std::ofstream(prefix.Folder() / "wineserver") << fs::path(base).filename().string();
        }
        const auto folders = posix::WineServerFolders(prefix.Folder());
        ASSERT_EQ(folders.size(), debianLayout ? 2u : 1u);
        const fs::path serverFolder = folders.back();
        const bool existed = fs::exists(serverFolder);
        fs::create_directories(serverFolder);
        const fs::path lockFile = serverFolder / "lock";
        ASSERT_FALSE(posix::IsWineServerRunning(prefix.Folder()));
        {
            ChildProcess server([&](const ChildProcess& self) {
                const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT, 0600);
                struct flock lock {};
                lock.l_type = F_WRLCK;
                lock.l_whence = SEEK_SET;
                const bool locked = ::fcntl(fd, F_SETLK, &lock) == 0;
                self.Say(locked ? 'l' : 'x');
                self.AwaitRelease();
                return 0;
            });
            ASSERT_EQ(server.Hear(), 'l');
            EXPECT_TRUE(posix::IsWineServerRunning(prefix.Folder()));
            try {
                Machine machine = Machine::OpenPrefix(prefix.Folder().string());
                ADD_FAILURE() << "opened";
            } catch (const MachineError& error) {
                EXPECT_NE(std::string(error.what()).find("Wine server"), std::string::npos) << error.what();
            }
            server.Release();
            EXPECT_EQ(server.ExitCode(), 0);
        }
        // The lock file stays when a server has ended; only a lock held on it counts.
        EXPECT_FALSE(posix::IsWineServerRunning(prefix.Folder()));
        EXPECT_NO_THROW(Machine::OpenPrefix(prefix.Folder().string()));
        fs::remove_all(debianLayout ? fs::path(base) : (existed ? lockFile : serverFolder));
    }
}

TEST(MachineLockTest, PrefixWithWinesOwnServerIsRefused) {
    if (std::system("command -v wineserver >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Wine is not installed";
    TempPrefix prefix;
    prefix.CloseMachine();
    const std::string environment = "WINEPREFIX='" + prefix.Folder().string() + "' ";
    // A persistent server, started and left running in the background as Wine starts it.
    ASSERT_EQ(std::system((environment + "wineserver -p >/dev/null 2>&1").c_str()), 0);
    const bool running = posix::IsWineServerRunning(prefix.Folder());
    bool refused = false;
    try {
        Machine machine = Machine::OpenPrefix(prefix.Folder().string());
    } catch (const MachineError&) {
        refused = true;
    }
    EXPECT_EQ(std::system(
                  (environment + "wineserver -k >/dev/null 2>&1; " + environment + "wineserver -w").c_str()),
              0);
    EXPECT_TRUE(running);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(posix::IsWineServerRunning(prefix.Folder()));
    EXPECT_NO_THROW(Machine::OpenPrefix(prefix.Folder().string()));
}

} // namespace
