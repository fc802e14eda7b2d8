#pragma once
// Sets or removes an environment variable for the life of the object, and puts the old state back.

#include <cstdlib>
#include <optional>
#include <string>

namespace veksetup::testing {

class ScopedEnvironment {
  public:
    // value nullopt removes the variable.
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        Apply(value);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() { Apply(old_); }

  private:
    void Apply(const std::optional<std::string>& value) const {
        if (value)
            ::setenv(name_, value->c_str(), 1);
        else
            ::unsetenv(name_);
    }

    const char* name_;
    std::optional<std::string> old_;
};

} // namespace veksetup::testing
