#pragma once
// A unix file descriptor with one owner, closed by its destructor.

#include <unistd.h>
#include <utility>

namespace platform::posix {

class UniqueFd {
  public:
    UniqueFd() noexcept = default;
    explicit UniqueFd(int fd) noexcept : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.fd_, -1));
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(); }

    bool IsValid() const noexcept { return fd_ >= 0; }
    int Get() const noexcept { return fd_; }
    // Closes the descriptor held and takes fd instead; returns close's result for the old one.
    int Reset(int fd = -1) noexcept {
        const int old = std::exchange(fd_, fd);
        return old >= 0 ? ::close(old) : 0;
    }

  private:
    int fd_ = -1;
};

} // namespace platform::posix
