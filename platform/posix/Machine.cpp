// platform::Machine of the posix backend: the emulated Windows of a Wine prefix.

#include "platform/Machine.h"

#include "MachinePrefix.h"

#include <cstdlib>
#include <iostream>

namespace platform {

class Machine::Impl {
  public:
    explicit Impl(const std::filesystem::path& prefixFolder) : machine(prefixFolder) {}
    posix::PrefixMachine machine;
};

namespace {

std::filesystem::path DefaultPrefixFolder() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0')
        return prefix;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".wine";
}

} // namespace

Machine Machine::OpenDefault() {
    return Machine(std::make_unique<Impl>(DefaultPrefixFolder()));
}

Machine Machine::OpenPrefix(const std::string& prefixFolder) {
    return Machine(std::make_unique<Impl>(prefixFolder));
}

Machine::Machine(std::unique_ptr<Impl> impl) noexcept : impl_(std::move(impl)) {}
Machine::Machine(Machine&&) noexcept = default;

Machine& Machine::operator=(Machine&& other) noexcept {
    if (this != &other) {
        Machine closing(std::move(*this));
        impl_ = std::move(other.impl_);
    }
    return *this;
}

Machine::~Machine() {
    if (!impl_)
        return;
    try {
        impl_->machine.CommitHives();
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
    }
}

void Machine::Commit() {
    if (impl_)
        impl_->machine.CommitHives();
}

} // namespace platform
