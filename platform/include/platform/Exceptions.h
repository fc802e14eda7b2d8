#pragma once
// The exception family of the program: every failure the program reports is an Exception with a
// message text. ClassName() is what the last-chance report shows, so each class names itself as the
// run-time library of the original tool did.

#include <stdexcept>
#include <string>

namespace platform {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    const std::string Message() const { return what(); }
    virtual const char* ClassName() const { return "Exception"; }
};

#define PLATFORM_DECLARE_EXCEPTION(Name, Base)                                                               \
    class Name : public Base {                                                                               \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
        const char* ClassName() const override { return #Name; }                                             \
    }

// Raised by the registry class for reads and writes that fail.
PLATFORM_DECLARE_EXCEPTION(ERegistryException, Exception);
// The silent abort: ends the run without a further message.
PLATFORM_DECLARE_EXCEPTION(EAbort, Exception);
// File stream errors: "Cannot open file ..." and "Cannot create file ...".
PLATFORM_DECLARE_EXCEPTION(EStreamError, Exception);
PLATFORM_DECLARE_EXCEPTION(EFOpenError, EStreamError);
PLATFORM_DECLARE_EXCEPTION(EFCreateError, EStreamError);
// Text-to-integer conversion error: "'%s' is not a valid integer value".
PLATFORM_DECLARE_EXCEPTION(EConvertError, Exception);
// Variant conversion error: "Could not convert variant of type (%s) into type (%s)".
PLATFORM_DECLARE_EXCEPTION(EVariantTypeCastError, Exception);
// Assertion failure: "%s (%s, line %d)".
PLATFORM_DECLARE_EXCEPTION(EAssertionFailed, Exception);

#undef PLATFORM_DECLARE_EXCEPTION

// Errors of the emulated machine itself (a broken hive, a locked prefix, a running Wine server).
// Deliberately outside the Exception family: the program's own guards never catch them, and the
// entry turns them into a clear message and a distinct exit code without changing anything.
class MachineError : public std::runtime_error {
public:
    explicit MachineError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace platform
