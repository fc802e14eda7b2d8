// On Windows the machine is the real one: there is nothing to load, lock or commit.

#include "platform/Machine.h"

namespace platform {

class Machine::Impl {};

Machine::Machine(std::unique_ptr<Impl> impl) noexcept : impl_(std::move(impl)) {}
Machine::Machine(Machine&&) noexcept = default;
Machine& Machine::operator=(Machine&&) noexcept = default;
Machine::~Machine() = default;

Machine Machine::OpenDefault() {
    return Machine(std::make_unique<Impl>());
}

Machine Machine::OpenPrefix(const std::string&) {
    return OpenDefault();
}

void Machine::Commit() {}

} // namespace platform
